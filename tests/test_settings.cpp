#include "platform/SettingsStore.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsParse.h"
#include "support/FakeNumLock.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    // A fresh file per case: one process's QSettings cache files by name.
    QString useStore(const QByteArray& contents)
    {
        const QString path = m_dir.filePath(QString("store%1.conf").arg(++m_files));
        if (!contents.isNull())
            writeFile(path, contents);
        SettingsStore::setFilePathOverride(path);
        return path;
    }

private slots:
    void cleanup() { SettingsStore::setFilePathOverride({}); }

    void emptyStoreGivesEveryDefault()
    {
        useStore(QByteArray());
        PanelSettings::LoadAll();
        QCOMPARE(PanelSettings::PointsColor, 49152);
        QCOMPARE(PanelSettings::FoulsColor, 255);
        QCOMPARE(PanelSettings::NumColor, 33023);
        QCOMPARE(PanelSettings::LEDBack, 0);
        QCOMPARE(PanelSettings::FormBack, 255);
        QCOMPARE(PanelSettings::BorderColor, 16777215);
        QCOMPARE(PanelSettings::NumLockForce, 0);
        QCOMPARE(PanelSettings::LEDType, qint16(0));
        QCOMPARE(PanelSettings::ShowPlayerName, qint16(1));
        QCOMPARE(PanelSettings::ShowPlayerNumber, qint16(1));
        QCOMPARE(PanelSettings::ShowPlayerFouls, qint16(1));
        QCOMPARE(PanelSettings::ShowPlayerPoints, qint16(1));
        QCOMPARE(PanelSettings::PlayerTotal, qint16(5));
        QVERIFY(PanelSettings::HomePic.isEmpty());
        QVERIFY(PanelSettings::VisitorPic.isEmpty());
    }

    void missingKeyTakesItsDefault()
    {
        useStore("[ColorSettings]\nPointsColor=1\nFoulsColor=2\nNumColor=3\nLEDBack=4\n"
                 "BorderColor=6\n");
        PanelSettings::LoadAll();
        QCOMPARE(PanelSettings::FormBack, 255);
        QCOMPARE(PanelSettings::BorderColor, 6);
        QCOMPARE(PanelSettings::LEDBack, 4);
    }

    void savedRecordIsStoredAsDecimalText()
    {
        const QString path = useStore(QByteArray());
        PanelSettings::LoadAll();
        PanelSettings::NumColor = 16711680;
        PanelSettings::NumLockForce = 5;
        PanelSettings::LEDType = 1;
        PanelSettings::ShowPlayerFouls = 0;
        PanelSettings::PlayerTotal = 12;
        PanelSettings::HomePic = "/pics/home team, 2026.png";
        QCOMPARE(PanelSettings::SaveAll(), std::nullopt);

        const QByteArray text = readFile(path);
        for (const char* line :
             {"NumColor=16711680", "PointsColor=49152", "BorderColor=16777215", "LEDBack=0",
              "FoulsColor=255", "FormBack=255", "NumLockForce=5", "LEDType=1",
              "ShowPlayerFouls=0", "ShowPlayerName=1", "PlayerTotal=12", "VisitorPic="})
            QVERIFY2(text.contains(line), line);
        QVERIFY(text.indexOf("[PicSettings]") < text.indexOf("LEDType=1"));

        // A new reader of the same file sees exactly the record.
        PanelSettings::NumColor = 0;
        PanelSettings::HomePic.clear();
        PanelSettings::LoadAll();
        QCOMPARE(PanelSettings::NumColor, 16711680);
        QCOMPARE(PanelSettings::NumLockForce, 5);
        QCOMPARE(PanelSettings::HomePic, QString("/pics/home team, 2026.png"));
    }

    void savingKeepsKeysItDidNotWrite()
    {
        const QString path = useStore("[Extra]\nMine=kept\n[Display]\nOther=also kept\n");
        PanelSettings::LoadAll();
        QCOMPARE(PanelSettings::SaveAll(), std::nullopt);
        const QByteArray text = readFile(path);
        QVERIFY(text.contains("Mine=kept"));
        QVERIFY(text.contains("Other=also kept"));
    }

    void badStoredValues_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<int>("formBack");
        QTest::addColumn<int>("playerTotal");
        QTest::addColumn<int>("showName");
        QTest::addColumn<int>("ledType");
        QTest::addColumn<int>("numLockForce");
        QTest::addColumn<QString>("homePic");
        QTest::newRow("trailing garbage")
            << QByteArray("[ColorSettings]\nFormBack=12abc\n[Display]\nPlayerTotal=12abc\n"
                          "ShowPlayerName=1x\n[PicSettings]\nLEDType=1x\n[KeySettings]\n"
                          "NumLockForce=2x\n")
            << 255 << 5 << 1 << 0 << 0 << QString();
        QTest::newRow("empty values")
            << QByteArray("[ColorSettings]\nFormBack=\n[Display]\nPlayerTotal=\nShowPlayerName=\n"
                          "[PicSettings]\nLEDType=\nHomePic=\n[KeySettings]\nNumLockForce=\n")
            << 255 << 5 << 1 << 0 << 0 << QString();
        QTest::newRow("out of range")
            << QByteArray("[ColorSettings]\nFormBack=16777216\n[Display]\nPlayerTotal=70000\n"
                          "ShowPlayerName=0\n[PicSettings]\nLEDType=7\n[KeySettings]\n"
                          "NumLockForce=99999\n")
            << 255 << 15 << 0 << 0 << 99999 << QString();
        QTest::newRow("negative and blanks")
            << QByteArray("[ColorSettings]\nFormBack=-1\n[Display]\nPlayerTotal= -3 \n"
                          "ShowPlayerName=2\n[PicSettings]\nLEDType= 1\n[KeySettings]\n"
                          "NumLockForce=-7\n")
            << 255 << 1 << 1 << 1 << -7 << QString();
        QTest::newRow("hand-written list")
            << QByteArray("[ColorSettings]\nFormBack=1, 2\n[PicSettings]\nHomePic=a, b\n")
            << 255 << 5 << 1 << 0 << 0 << QString("a, b");
        QTest::newRow("beyond 32 bits")
            << QByteArray("[ColorSettings]\nFormBack=99999999999999999999\n[KeySettings]\n"
                          "NumLockForce=4294967297\n")
            << 255 << 5 << 1 << 0 << 0 << QString();
    }
    void badStoredValues()
    {
        QFETCH(QByteArray, store);
        useStore(store);
        PanelSettings::LoadAll();
        QTEST(int(PanelSettings::FormBack), "formBack");
        QTEST(int(PanelSettings::PlayerTotal), "playerTotal");
        QTEST(int(PanelSettings::ShowPlayerName), "showName");
        QTEST(int(PanelSettings::LEDType), "ledType");
        QTEST(int(PanelSettings::NumLockForce), "numLockForce");
        QTEST(PanelSettings::HomePic, "homePic");
    }

    void unusableStoreFileGivesDefaultsAndReportsFailedSaves()
    {
        // A folder where the file should be: nothing to read, nothing written.
        const QString path = m_dir.filePath("folder.conf");
        QVERIFY(QDir().mkpath(path));
        SettingsStore::setFilePathOverride(path);
        PanelSettings::LoadAll();
        QCOMPARE(PanelSettings::PlayerTotal, qint16(5));
        const auto failure = PanelSettings::SaveAll();
        QVERIFY(failure.has_value());
        QVERIFY(failure->contains("folder"));
    }

    void loadAppliesTheNumLockPolicyOnce_data()
    {
        QTest::addColumn<QByteArray>("force");
        QTest::addColumn<int>("initial");
        QTest::addColumn<int>("sets");
        QTest::addColumn<int>("final");
        const int off = int(NumLockBackend::State::Off), on = int(NumLockBackend::State::On);
        QTest::newRow("keep on from off") << QByteArray("1") << off << 1 << on;
        QTest::newRow("keep on, already on") << QByteArray("1") << on << 0 << on;
        QTest::newRow("keep off from on") << QByteArray("2") << on << 1 << off;
        QTest::newRow("normal") << QByteArray("0") << off << 0 << off;
        QTest::newRow("unknown acts as normal") << QByteArray("3") << on << 0 << on;
    }
    void loadAppliesTheNumLockPolicyOnce()
    {
        QFETCH(QByteArray, force);
        QFETCH(int, initial);
        FakeNumLock keyboard{NumLockBackend::State(initial)};
        useStore("[KeySettings]\nNumLockForce=" + force + "\n");
        PanelSettings::LoadAll();
        PanelSettings::LoadAll(); // a second panel reloads the record
        QTEST(keyboard.sets, "sets");
        QTEST(int(keyboard.state()), "final");
    }

    void secondLoadReloadsTheSharedRecord()
    {
        const QString path = useStore("[Display]\nPlayerTotal=3\n");
        PanelSettings::LoadAll();
        QCOMPARE(PanelSettings::PlayerTotal, qint16(3));
        const QString second = useStore("[Display]\nPlayerTotal=9\n");
        PanelSettings::LoadAll();
        QCOMPARE(PanelSettings::PlayerTotal, qint16(9));
        Q_UNUSED(path);
        Q_UNUSED(second);
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
