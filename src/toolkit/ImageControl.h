#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

// A picture on a plain surface. With Stretch off it takes the picture's own
// size; with Stretch on the picture is scaled, smoothly, to its size.
class ImageControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)
    Q_PROPERTY(QImage Picture READ picture WRITE setPicture)

public:
    explicit ImageControl(QWidget* parent = nullptr);

    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch);

    QImage picture() const { return m_picture; }
    // `naturalSize` is the picture's own size when `picture` is a reduced
    // copy of it; the control takes that size while stretch is off.
    void setPicture(const QImage& picture, const QSize& naturalSize = {});
    bool hasPicture() const { return !m_picture.isNull(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void takeNaturalSize();

    bool m_stretch = false;
    QImage m_picture;
    QSize m_naturalSize;
    QPixmap m_scaled; // the picture at the current size, made once per size
};
