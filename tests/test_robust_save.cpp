// Nothing is lost when the program dies while saving: a tool that saves the
// record in a loop is killed at random moments, and each time the store file
// is whole, from one save, and keeps what the program did not write.
#include "platform/SettingsStore.h"
#include "support/FakeNumLock.h"
#include "tools/SaveGeneration.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Kills = 50;

// Every stored field, as the record holds it.
struct Record
{
    QList<qint64> numbers;
    QString homePic, visitorPic;

    static Record current()
    {
        using S = PanelSettings;
        return {{S::PointsColor, S::FoulsColor, S::NumColor, S::LEDBack, S::FormBack,
                 S::BorderColor, S::NumLockForce, S::LEDType, S::ShowPlayerName,
                 S::ShowPlayerNumber, S::ShowPlayerFouls, S::ShowPlayerPoints, S::PlayerTotal},
                S::HomePic,
                S::VisitorPic};
    }
    bool operator==(const Record&) const = default;
};

const QStringList StoredKeys = {
    "ColorSettings/PointsColor", "ColorSettings/FoulsColor", "ColorSettings/NumColor",
    "ColorSettings/LEDBack",     "ColorSettings/FormBack",   "ColorSettings/BorderColor",
    "KeySettings/NumLockForce",  "PicSettings/LEDType",      "PicSettings/HomePic",
    "PicSettings/VisitorPic",    "Display/ShowPlayerName",   "Display/ShowPlayerNumber",
    "Display/ShowPlayerFouls",   "Display/ShowPlayerPoints", "Display/PlayerTotal"};

const QByteArray ForeignKeys = "[Extra]\nMine=kept\n[Display]\nOther=also kept\n";

} // namespace

class TestRobustSave : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_copies = 0;
    FakeNumLock m_keyboard;

    // Checks the store as the next start of the program would find it: every
    // key present, all from one save, and the foreign keys still there.
    void verifyWholeStore(const QString& store, bool foreignKeys)
    {
        // A copy under a new name: this process's QSettings cache files by name.
        const QString copy = m_dir.filePath(QString("copy%1.conf").arg(++m_copies));
        QVERIFY(QFile::copy(store, copy));
        const QSettings raw(copy, QSettings::IniFormat);
        QCOMPARE(raw.status(), QSettings::NoError);
        for (const QString& key : StoredKeys)
            QVERIFY2(raw.contains(key), qPrintable(key));
        if (foreignKeys) {
            QCOMPARE(raw.value("Extra/Mine").toString(), QString("kept"));
            QCOMPARE(raw.value("Display/Other").toString(), QString("also kept"));
        }

        SettingsStore::setFilePathOverride(copy);
        PanelSettings::LoadAll();
        SettingsStore::setFilePathOverride({});
        const Record loaded = Record::current();
        setGeneration(quint32(PanelSettings::NumLockForce));
        QCOMPARE(loaded, Record::current());
    }

    void runAndKill(const QString& store, quint32 generation, bool waitForFirstSave)
    {
        QProcess tool;
        tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        tool.start(QStringLiteral(SAVE_LOOP), {store, QString::number(generation)});
        QVERIFY(tool.waitForStarted());
        if (waitForFirstSave) {
            QVERIFY(tool.waitForReadyRead(30000));
            QCOMPARE(tool.readLine().trimmed(), QByteArray("saving"));
        }
        QTest::qSleep(QRandomGenerator::global()->bounded(30));
        QCOMPARE(tool.state(), QProcess::Running); // still saving, not failed
        tool.kill();
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitStatus(), QProcess::CrashExit);
        // Killed between creating its lock file and writing the owner into
        // it, the tool leaves an empty lock, which QSettings only takes for
        // stale once it is 30 seconds old: the next save would wait for that.
        const QFileInfo lock(store + ".lock");
        if (lock.exists() && lock.size() == 0)
            QVERIFY(QFile::remove(lock.filePath()));
    }

private slots:
    void killedWhileSaving()
    {
        const QString store = m_dir.filePath("Tallyvane.conf");
        {
            QFile file(store);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(ForeignKeys);
        }
        for (int kill = 0; kill < Kills; ++kill) {
            runAndKill(store, quint32(kill) * 1'000'000, true);
            verifyWholeStore(store, true);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QString("after kill %1").arg(kill + 1)));
        }
    }

    // Killed before or during its very first save: no file, or a whole one.
    void killedDuringTheFirstSave()
    {
        for (int kill = 0; kill < Kills / 5; ++kill) {
            const QString store = m_dir.filePath(QString("first%1/Tallyvane.conf").arg(kill));
            runAndKill(store, 7, false);
            if (QFile::exists(store))
                verifyWholeStore(store, false);
        }
    }
};

QTEST_GUILESS_MAIN(TestRobustSave)
#include "test_robust_save.moc"
