#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

// A seven-segment LED number display. It sizes itself from DigitSize and its
// digit count; the host places it but never sets its size.
class NumberLED : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(int DigitSize READ digitSize WRITE setDigitSize)
    Q_PROPERTY(QColor LitColor READ litColor WRITE setLitColor NOTIFY litColorChanged)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor NOTIFY backColorChanged)
    Q_PROPERTY(int LedType READ ledType WRITE setLedType)
    Q_PROPERTY(int Digits READ digits WRITE setDigits)
    Q_PROPERTY(int Max READ maximum WRITE setMaximum)

public:
    enum Style { Lines = 0, Dots = 1 };

    explicit NumberLED(QWidget* parent = nullptr);

    // Negative means no value: only unlit segments show.
    int value() const { return m_value; }
    void setValue(int value);

    int digitSize() const { return m_digitSize; }
    void setDigitSize(int size);

    QColor litColor() const { return m_litColor; }
    void setLitColor(const QColor& color);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);

    int ledType() const { return m_ledType; }
    void setLedType(int type);

    int digits() const { return m_digits; }
    void setDigits(int digits);

    int maximum() const { return m_maximum; }
    void setMaximum(int maximum);

    // Every setting but the value, as a new row takes them from row 0.
    void copySettingsFrom(const NumberLED& other);

    // The display's size in pixels: at DigitSize 40, 48 x 39 for two digits
    // and 22 x 39 for one.
    static QSize sizeFor(int digitSize, int digits);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void valueChanged(int value);
    void litColorChanged(const QColor& color);
    void backColorChanged(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applySize();
    void invalidate();
    void updateAccessibleName();

    int m_value = -1;
    int m_digitSize = 40;
    QColor m_litColor = Qt::red;
    QColor m_backColor = Qt::black;
    int m_ledType = Lines;
    int m_digits = 2;
    int m_maximum = 99;
    QPixmap m_cache;
};
