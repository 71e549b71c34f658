#pragma once

#include <QColor>
#include <QWidget>

// A straight line drawn on its container, given by its end points in the
// container's twips. The widget covers just the line's bounding box.
class LineControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(int BorderWidth READ borderWidth WRITE setBorderWidth)

public:
    explicit LineControl(QWidget* parent = nullptr);

    // End points in twips; each reads back in whole pixels.
    void setPoints(double x1, double y1, double x2, double y2);
    int x1() const { return m_x1; }
    int y1() const { return m_y1; }
    int x2() const { return m_x2; }
    int y2() const { return m_y2; }

    QColor borderColor() const { return m_color; }
    void setBorderColor(const QColor& color);

    int borderWidth() const { return m_width; }
    void setBorderWidth(int pixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    int m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0; // twips, read back
    QColor m_color = Qt::black;
    int m_width = 1; // pixels
};
