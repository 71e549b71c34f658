#include "display/NumberLED.h"
#include "display/PolyLED.h"
#include "support/Facts.h"

#include <QSignalSpy>

using Facts::facts;

class TestDisplay : public QObject
{
    Q_OBJECT

    static QImage drawn(QWidget& w) { return w.grab().toImage(); }

private slots:
    // A display starts without a value. A negative value shows no digits, drawn
    // as -1 is, and the accessible name says what is shown; a value or colour set
    // again changes nothing.
    void value()
    {
        NumberLED led;
        const QImage blank = drawn(led);
        QSignalSpy values(&led, &NumberLED::valueChanged);
        QSignalSpy lit(&led, &NumberLED::litColorChanged);
        QStringList shown{led.accessibleName()};
        for (int value : {7, 150, -5, -5}) {
            led.setValue(value);
            shown << led.accessibleName() + (drawn(led) == blank ? " (blank)" : "");
        }
        led.setLitColor(led.litColor());
        CHECK_FACTS(facts("shown", shown.join(", "), "changes", values.count() + lit.count()),
                    "shown=no value, 7, 99, no value (blank), no value (blank) changes=3");
    }

    // A new row's displays take every setting of row 0's but its value (the
    // layout sets their DigitSize): one digit at DigitSize 40, 330 x 585 twips.
    void copySettings()
    {
        NumberLED from;
        from.setLitColor(Qt::cyan);
        from.setBackColor(Qt::blue);
        from.setLedType(NumberLED::Dots);
        from.setDigits(1);
        from.setMaximum(9);
        from.setValue(7);
        NumberLED to;
        to.copySettingsFrom(from);
        CHECK_FACTS(facts("size", to.size(), "lit", to.litColor(), "back", to.backColor(), "style",
                          to.ledType(), "max", to.maximum(), "value", to.value()),
                    "size=22x39 lit=#00ffff back=#0000ff style=1 max=9 value=-1");
    }

    // The style preview shows an 8 in the style chosen, as a one-digit display
    // showing 8 does.
    void preview()
    {
        NumberLED eight;
        eight.setDigits(1);
        eight.setValue(8);
        eight.setLedType(NumberLED::Dots);
        PolyLED preview;
        preview.resize(eight.size());
        preview.setLedType(NumberLED::Dots);
        CHECK_FACTS(facts("Dots", drawn(preview) == drawn(eight)), "Dots=true");
    }
};

QTEST_MAIN(TestDisplay)
#include "test_display.moc"
