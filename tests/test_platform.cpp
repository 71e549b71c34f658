#include "platform/DeliverableFolders.h"
#include "platform/NumLockBackend.h"
#include "platform/modGrabKeys.h"
#include "support/Facts.h"
#include "support/FakeNumLock.h"

#include <QCoreApplication>

using Facts::facts;
using State = NumLockBackend::State;

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    // The NumLock policy: force 1 keeps it on, 2 off, anything else leaves the
    // keyboard alone; a toggle already in place is not set again.
    void numLockPolicy_data()
    {
        QTest::addColumn<int>("force");
        QTest::addColumn<bool>("wasOn");
        QTest::addColumn<QString>("after");
        QTest::newRow("keep on, off") << 1 << false << "sets=1 on=true";
        QTest::newRow("keep on, on") << 1 << true << "sets=0 on=true";
        QTest::newRow("keep off, on") << 2 << true << "sets=1 on=false";
        QTest::newRow("keep off, off") << 2 << false << "sets=0 on=false";
        QTest::newRow("normal") << 0 << true << "sets=0 on=true";
        QTest::newRow("unknown mode 3") << 3 << false << "sets=0 on=false";
        QTest::newRow("none chosen (-1)") << -1 << false << "sets=0 on=false";
    }
    void numLockPolicy()
    {
        QFETCH(int, force);
        QFETCH(bool, wasOn);
        FakeNumLock keyboard(wasOn ? State::On : State::Off);
        modGrabKeys::applyNumLockForce(force);
        modGrabKeys::applyNumLockForce(force); // applied again: nothing more is sent
        QTEST(facts("sets", keyboard.sets, "on", keyboard.state() == State::On), "after");
    }

    // Without X11 the toggle is unknown and nothing is sent.
    void withoutX11()
    {
        NumLockBackend& backend = NumLockBackend::instance();
        modGrabKeys::SetNumLock(true);
        CHECK_FACTS(facts("state", int(backend.state())), facts("state", int(State::Unknown)));
    }

    // A test executable links the layer statically: its "library" is itself.
    void folders()
    {
        const QString program = QCoreApplication::applicationDirPath();
        CHECK_FACTS(facts("program", DeliverableFolders::programFolder() == program, "library",
                          DeliverableFolders::libraryFolder() == program),
                    "program=true library=true");
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
