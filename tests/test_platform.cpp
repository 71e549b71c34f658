#include "platform/Conversions.h"
#include "platform/KeyCodes.h"
#include "platform/PropertyBag.h"
#include "platform/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTest>

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("70.5 to even below") << 70.5 << 70;
        QTest::newRow("71.5 to even above") << 71.5 << 72;
        QTest::newRow("negative half") << -2.5 << -2;
        QTest::newRow("ordinary") << 197.93 << 198;
        QTest::newRow("beyond 16 bits") << 60000.4 << 60000;
        QTest::newRow("not a number") << std::nan("") << 0;
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(Twips::roundHalfEven(value), rounded);
    }

    void readBack_data()
    {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("readBack");
        QTest::newRow("title width") << 0.36 * 5070 << 1830;
        QTest::newRow("title left") << 69.0 << 75;
        QTest::newRow("1968 to 131 px") << 1968.0 << 1965;
        QTest::newRow("3102 to 207 px") << 3102.0 << 3105;
        QTest::newRow("4086 to 272 px") << 4086.0 << 4080;
        QTest::newRow("negative") << -22.5 << -30;
    }
    void readBack()
    {
        QFETCH(double, twips);
        QFETCH(int, readBack);
        QCOMPARE(Twips::readBack(twips), readBack);
    }

    void widgetGeometryReadsBackInWholePixels()
    {
        QLabel label;
        Twips::setGeometry(&label, 69, 0, 1825.2, -100);
        QCOMPARE(Twips::left(&label), 75);
        QCOMPARE(Twips::width(&label), 1830);
        QCOMPARE(Twips::height(&label), 0); // sizes never go negative

        Twips::setFontPoints(&label, 13.46);
        QCOMPARE(label.font().pixelSize(), 18);
        QCOMPARE(Twips::fontPoints(&label), 13.5);
        Twips::setFontPoints(&label, 0.0);
        QCOMPARE(label.font().pixelSize(), 1);
    }

    void textToNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::newRow("digit") << "7" << 7.0;
        QTest::newRow("two digits") << "12" << 12.0;
        QTest::newRow("trailing letter") << "5x" << 5.0;
        QTest::newRow("leading letter") << "x5" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("leading blank") << " 3" << 3.0;
        QTest::newRow("trailing point") << "3." << 3.0;
        QTest::newRow("fraction") << ".5" << 0.5;
        QTest::newRow("negative") << "-4" << -4.0;
        QTest::newRow("blanks inside") << "1 2\t3" << 123.0;
        QTest::newRow("exponent") << "1.5E2" << 150.0;
        QTest::newRow("D exponent") << "2d1" << 20.0;
        QTest::newRow("bare exponent") << "4e" << 4.0;
        QTest::newRow("hex") << "&HFF" << 255.0;
        QTest::newRow("hex word is negative") << "&HFFFF" << -1.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("octal stops at 8") << "&O78" << 7.0;
        QTest::newRow("ampersand alone") << "&" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("single blank") << " " << 0.0;
        QTest::newRow("huge exponent") << "9e999999999" << 0.0;
        QTest::newRow("two points") << "1.2.3" << 1.2;
    }
    void textToNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QCOMPARE(Conversions::textToNumber(text), number);
    }

    void floorToInt16()
    {
        QCOMPARE(Conversions::floorToInt16(0.5), qint16(0));
        QCOMPARE(Conversions::floorToInt16(-0.5), qint16(-1));
        QCOMPARE(Conversions::floorToInt16(1e9), qint16(32767));
        QCOMPARE(Conversions::floorToInt16(-1e9), qint16(-32768));
    }

    void toBoolean_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // -1: no boolean
        QTest::newRow("True") << "True" << 1;
        QTest::newRow("false any case") << "fAlSe" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("minus one") << "-1" << 1;
        QTest::newRow("fraction") << "0.25" << 1;
        QTest::newRow("padded") << "  true " << 1;
        QTest::newRow("word") << "yes" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void toBoolean()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto value = Conversions::toBoolean(text);
        QCOMPARE(value.has_value() ? int(*value) : -1, expected);
    }

    void propertyBagStoresOnlyWhatDiffersFromTheDefault()
    {
        PropertyBag bag;
        bag.writeBool("PIsHomeTeam", true, true);
        QCOMPARE(bag.size(), 0);
        bag.writeBool("PIsHomeTeam", false, true);
        QCOMPARE(bag.readText("PIsHomeTeam", {}), QString("False"));

        const PropertyBag read = PropertyBag::fromText(bag.toText());
        QCOMPARE(read.readBool("PIsHomeTeam", true), false);
        QCOMPARE(read.readBool("Missing", true), true);
    }

    void propertyBagText()
    {
        const PropertyBag bag = PropertyBag::fromText(
            "' a comment\n# another\nCaption = \"Tallyvane \"\nFlag=0\nNoise\n= nothing\nOdd = maybe\n");
        QCOMPARE(bag.size(), 3);
        QCOMPARE(bag.readText("Caption", {}), QString("Tallyvane "));
        QCOMPARE(bag.readBool("Flag", true), false);
        QCOMPARE(bag.readBool("Odd", true), true); // not a boolean: the default
        QCOMPARE(PropertyBag::fromFile("/nonexistent/file").size(), 0);
    }

    void keyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        QTest::newRow("F1") << int(Qt::Key_F1) << 0 << 112;
        QTest::newRow("shift F2") << int(Qt::Key_F2) << int(Qt::ShiftModifier) << 113;
        QTest::newRow("NumLock") << int(Qt::Key_NumLock) << 0 << 144;
        QTest::newRow("digit 7") << int(Qt::Key_7) << 0 << 55;
        QTest::newRow("keypad 7") << int(Qt::Key_7) << int(Qt::KeypadModifier) << 103;
        QTest::newRow("keypad plus") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << 107;
        QTest::newRow("equals") << int(Qt::Key_Equal) << 0 << 187;
        QTest::newRow("minus") << int(Qt::Key_Minus) << 0 << 189;
        QTest::newRow("period") << int(Qt::Key_Period) << 0 << 190;
        QTest::newRow("keypad point") << int(Qt::Key_Period) << int(Qt::KeypadModifier) << 110;
        QTest::newRow("letter") << int(Qt::Key_A) << 0 << 65;
        QTest::newRow("enter") << int(Qt::Key_Return) << 0 << 13;
        QTest::newRow("shifted 1") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << 49;
    }
    void keyCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, code);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(KeyCodes::virtualKey(&event), code);
    }

    void stateBits()
    {
        QCOMPARE(KeyCodes::shiftBits(Qt::ShiftModifier | Qt::AltModifier), 5);
        QCOMPARE(KeyCodes::shiftBits(Qt::ControlModifier), 2);
        QCOMPARE(KeyCodes::buttonBits(Qt::RightButton | Qt::MiddleButton), 6);
        QCOMPARE(KeyCodes::buttonBits(Qt::LeftButton), 1);
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
