#include "display/NumberLED.h"
#include "support/Facts.h"

using Facts::facts;

class TestDisplay : public QObject
{
    Q_OBJECT

private slots:
    // The prototype sizes the panel scales from: 720 x 585 and 330 x 585 twips.
    void sizes()
    {
        CHECK_FACTS(
            facts("two digits", NumberLED::sizeFor(40, 2), "one digit", NumberLED::sizeFor(40, 1)),
            "two digits=48x39 one digit=22x39");
    }
};

QTEST_MAIN(TestDisplay)
#include "test_display.moc"
