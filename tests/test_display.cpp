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
    // A display's size in pixels, from DigitSize, for two digits and one: at 40 the
    // prototype sizes the panel scales from, 720 x 585 and 330 x 585 twips.
    void sizes()
    {
        CHECK_FACTS(facts("40", NumberLED::sizeFor(40, 2), "one digit", NumberLED::sizeFor(40, 1),
                          "34", NumberLED::sizeFor(34, 2), "one digit", NumberLED::sizeFor(34, 1),
                          "80", NumberLED::sizeFor(80, 2), "one digit", NumberLED::sizeFor(80, 1)),
                    "40=48x39 one digit=22x39 34=41x33 one digit=19x33 80=96x78 one digit=44x78");
    }

    // A negative value shows no digits, drawn as -1 is, and the accessible name
    // says what is shown; a value or colour set again changes nothing.
    void value()
    {
        NumberLED led;
        led.setLitColor(Qt::cyan);
        const QImage blank = drawn(led);
        QStringList names{led.accessibleName()};
        led.setValue(7);
        const QImage seven = drawn(led);
        names << led.accessibleName();
        led.setValue(150), names << led.accessibleName();
        led.setValue(-5), names << led.accessibleName();
        QSignalSpy values(&led, &NumberLED::valueChanged), lit(&led, &NumberLED::litColorChanged);
        led.setValue(-5), led.setLitColor(Qt::cyan);
        CHECK_FACTS(facts("7 drawn", seven != blank, "-5 drawn as -1", drawn(led) == blank, "names",
                          names.join('|'), "signals when set again", values.count() + lit.count()),
                    "7 drawn=true -5 drawn as -1=true names=no value|7|99|no value signals when "
                    "set again=0");
    }

    // A new row's displays take every setting of row 0's but its value.
    void copySettings()
    {
        NumberLED from, to;
        from.setDigitSize(34), from.setLitColor(Qt::cyan), from.setBackColor(Qt::blue);
        from.setLedType(1), from.setDigits(1), from.setMaximum(9), from.setValue(7);
        to.copySettingsFrom(from);
        CHECK_FACTS(facts("size", to.size(), "lit", to.litColor(), "back", to.backColor(), "style",
                          to.ledType(), "max", to.maximum(), "value", to.value()),
                    "size=19x33 lit=#00ffff back=#0000ff style=1 max=9 value=-1");
    }

    // The style preview always shows an 8 in the style chosen, as a one-digit
    // display showing 8 does.
    void preview()
    {
        QStringList same;
        for (int style : {0, 1}) {
            NumberLED eight;
            eight.setDigits(1), eight.setValue(8), eight.setLedType(style);
            PolyLED preview;
            preview.resize(eight.size()), preview.setLedType(style);
            same << facts(style ? "Dots" : "Lines", drawn(preview) == drawn(eight));
        }
        CHECK_FACTS(same.join(' '), "Lines=true Dots=true");
    }
};

QTEST_MAIN(TestDisplay)
#include "test_display.moc"
