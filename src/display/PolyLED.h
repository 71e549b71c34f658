#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

// The digit-style preview: always shows an 8 in the chosen style, fitted into
// whatever geometry the host gives it.
class PolyLED : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int LedType READ ledType WRITE setLedType)
    Q_PROPERTY(QColor LitColor READ litColor WRITE setLitColor)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)

public:
    explicit PolyLED(QWidget* parent = nullptr);

    int ledType() const { return m_ledType; }
    void setLedType(int type);

    QColor litColor() const { return m_litColor; }
    void setLitColor(const QColor& color);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void invalidate();
    void updateAccessibleDescription();

    int m_ledType = 0;
    QColor m_litColor = Qt::red;
    QColor m_backColor = Qt::black;
    QPixmap m_cache;
};
