// A damaged, odd or unreachable settings file: loading gives values the
// program can show, and saving either works or says why.
#include "platform/SettingsStore.h"
#include "settings/PanelSettings.h"
#include "support/FakeNumLock.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

using S = PanelSettings;

// Every stored field, in load order; the paths last.
QList<qint64> numbers()
{
    return {S::PointsColor,    S::FoulsColor,       S::NumColor,        S::LEDBack,
            S::FormBack,       S::BorderColor,      S::NumLockForce,    S::LEDType,
            S::ShowPlayerName, S::ShowPlayerNumber, S::ShowPlayerFouls, S::ShowPlayerPoints,
            S::PlayerTotal};
}
const QList<qint64> Defaults = {49152, 255, 33023, 0, 255, 16777215, 0, 0, 1, 1, 1, 1, 5};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Values the options dialog can show, whatever the file held.
void verifyShowable()
{
    for (qint32 color :
         {S::PointsColor, S::FoulsColor, S::NumColor, S::LEDBack, S::FormBack, S::BorderColor})
        QVERIFY2(color >= 0 && color <= 0xFFFFFF, qPrintable(QString::number(color)));
    QVERIFY(S::PlayerTotal >= 1 && S::PlayerTotal <= 15);
    for (qint16 flag : {S::LEDType, S::ShowPlayerName, S::ShowPlayerNumber, S::ShowPlayerFouls,
                        S::ShowPlayerPoints})
        QVERIFY(flag == 0 || flag == 1);
}

// Fifteen keys, each with the one value a garbage test expects to survive.
QByteArray everyKey(const QByteArray& value)
{
    QByteArray text;
    const QList<QPair<QByteArray, QList<QByteArray>>> sections = {
        {"ColorSettings",
         {"PointsColor", "FoulsColor", "NumColor", "LEDBack", "FormBack", "BorderColor"}},
        {"KeySettings", {"NumLockForce"}},
        {"PicSettings", {"LEDType", "HomePic", "VisitorPic"}},
        {"Display",
         {"ShowPlayerName", "ShowPlayerNumber", "ShowPlayerFouls", "ShowPlayerPoints",
          "PlayerTotal"}}};
    for (const auto& [section, keys] : sections) {
        text += '[' + section + "]\n";
        for (const QByteArray& key : keys)
            text += key + '=' + value + '\n';
    }
    return text;
}

} // namespace

class TestRobustSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;
    FakeNumLock m_keyboard;

    // A fresh name per case: one process's QSettings objects cache files.
    QString freshPath() { return m_dir.filePath(QString("store%1.conf").arg(++m_files)); }

    QString useStore(const QByteArray& contents)
    {
        const QString path = freshPath();
        writeFile(path, contents);
        SettingsStore::setFilePathOverride(path);
        return path;
    }

    // Saves the record, then reads the saved file afresh: the same record.
    void verifySaveReadsBack(const QString& path)
    {
        const QList<qint64> saved = numbers();
        const QString home = S::HomePic, visitor = S::VisitorPic;
        QCOMPARE(S::SaveAll(), std::nullopt);
        const QString copy = freshPath();
        QVERIFY(QFile::copy(path, copy));
        SettingsStore::setFilePathOverride(copy);
        S::LoadAll();
        QCOMPARE(numbers(), saved);
        QCOMPARE(S::HomePic, home);
        QCOMPARE(S::VisitorPic, visitor);
    }

private slots:
    void cleanup() { SettingsStore::setFilePathOverride({}); }

    void damagedFiles_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QList<qint64>>("expected");
        QTest::addColumn<QString>("homePic");

        QTest::newRow("empty") << QByteArray() << Defaults << QString();
        QTest::newRow("garbage in every key") << everyKey("x7!") << Defaults << QString("x7!");
        QTest::newRow("only blanks in every key") << everyKey("   ") << Defaults << QString();
        QTest::newRow("numbers with units") << everyKey("12px") << Defaults << QString("12px");
        QTest::newRow("hexadecimal") << everyKey("&HFF") << Defaults << QString("&HFF");
        QTest::newRow("fractions") << everyKey("1.0") << Defaults << QString("1.0");
        QTest::newRow("out of range, large")
            << everyKey("2147483647")
            << QList<qint64>{49152, 255, 33023, 0, 255, 16777215, 2147483647, 0, 1, 1, 1, 1, 15}
            << QString("2147483647");
        QTest::newRow("out of range, negative")
            << everyKey("-2147483648")
            << QList<qint64>{49152, 255, 33023, 0, 255, 16777215, -2147483648LL, 0, 1, 1, 1, 1, 1}
            << QString("-2147483648");
        QTest::newRow("beyond 32 bits")
            << everyKey("2147483648") << Defaults << QString("2147483648");
        QTest::newRow("Qt's typed values") << everyKey("@Rect(1 2 3 4)") << Defaults << QString();
        QTest::newRow("byte array")
            << everyKey("@ByteArray(7)") << QList<qint64>{7, 7, 7, 7, 7, 7, 7, 0, 1, 1, 1, 1, 7}
            << QString("7");
        QTest::newRow("duplicated sections, last value wins")
            << QByteArray("[Display]\nPlayerTotal=3\nShowPlayerName=0\n[ColorSettings]\n"
                          "FormBack=65280\n[Display]\nPlayerTotal=9\n[ColorSettings]\n"
                          "FormBack=oops\n")
            << QList<qint64>{49152, 255, 33023, 0, 255, 16777215, 0, 0, 0, 1, 1, 1, 9} << QString();
        QTest::newRow("truncated mid-line")
            << QByteArray("[ColorSettings]\nFormBack=65280\n[Display]\nPlayerTotal=1")
            << QList<qint64>{49152, 255, 33023, 0, 65280, 16777215, 0, 0, 1, 1, 1, 1, 1}
            << QString();
        QTest::newRow("truncated in a key")
            << QByteArray("[ColorSettings]\nFormBack=65280\n[Display]\nPlayerTot")
            << QList<qint64>{49152, 255, 33023, 0, 65280, 16777215, 0, 0, 1, 1, 1, 1, 5}
            << QString();
        QTest::newRow("truncated in a section name")
            << QByteArray("[ColorSettings]\nFormBack=65280\n[Disp")
            << QList<qint64>{49152, 255, 33023, 0, 65280, 16777215, 0, 0, 1, 1, 1, 1, 5}
            << QString();
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe[]=\0", 23)
                                << Defaults << QString();
        QTest::newRow("lines without values or names")
            << QByteArray("[PicSettings]\nHomePic\n=lost\n[]\nVisitorPic=v\n") << Defaults
            << QString();
        QTest::newRow("Windows line ends and a byte-order mark")
            << QByteArray("\xef\xbb\xbf[Display]\r\nPlayerTotal=12\r\n[PicSettings]\r\n"
                          "HomePic=C:\\\\Pics\\\\home.jpg\r\n")
            << QList<qint64>{49152, 255, 33023, 0, 255, 16777215, 0, 0, 1, 1, 1, 1, 12}
            << QString("C:\\Pics\\home.jpg");
    }
    void damagedFiles()
    {
        QFETCH(QByteArray, contents);
        const QString path = useStore(contents);
        S::LoadAll();
        verifyShowable();
        QTEST(numbers(), "expected");
        QTEST(S::HomePic, "homePic");
        verifySaveReadsBack(path);
    }

    // Inputs the fuzzer once failed on, kept as they were found.
    void fuzzerFindings_data()
    {
        QTest::addColumn<QString>("file");
        const QDir dir(qEnvironmentVariable("TV_TEST_DATA") + "/robust/settings");
        const QStringList found = dir.entryList(QDir::Files);
        QVERIFY(!found.isEmpty());
        for (const QString& name : found)
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }
    void fuzzerFindings()
    {
        QFETCH(QString, file);
        const QString path = useStore(readFile(file));
        S::LoadAll();
        verifyShowable();
        verifySaveReadsBack(path);
    }

    // A file QSettings finds malformed (here a line outside any section, as a
    // byte-order mark also makes the first line) still takes a save; the save
    // is not reported as failed, and every key that could be read survives.
    void malformedFileIsSavedOver()
    {
        const QString path = useStore("no value here\n[ColorSettings]\nFormBack=65280\n"
                                      "[Extra]\nMine=kept\n");
        S::LoadAll();
        QCOMPARE(S::FormBack, 65280);
        S::PlayerTotal = 11;
        QCOMPARE(S::SaveAll(), std::nullopt);
        const QByteArray saved = readFile(path);
        QVERIFY2(saved.contains("PlayerTotal=11") && saved.contains("FormBack=65280") &&
                     saved.contains("Mine=kept"),
                 saved.constData());
    }

    void unreachableFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("savable");
        QTest::newRow("missing") << "missing" << true;
        QTest::newRow("missing folder") << "missing folder" << true;
        QTest::newRow("a folder in its place") << "folder" << false;
        QTest::newRow("a symbolic link loop, replaced") << "loop" << true;
        QTest::newRow("a link to nowhere") << "dangling" << true;
        QTest::newRow("unreadable") << "unreadable" << false;
    }
    void unreachableFiles()
    {
        QFETCH(QString, kind);
        QFETCH(bool, savable);
        QString path = freshPath();
        if (kind == "missing folder") {
            path = m_dir.filePath(QString("new%1/deeper/Tallyvane.conf").arg(m_files));
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == "loop") {
            QVERIFY(QFile::link(path, path));
        } else if (kind == "dangling") {
            QVERIFY(QFile::link(m_dir.filePath("nowhere.conf"), path));
        } else if (kind == "unreadable") {
            // Permissions do not stop the superuser.
            if (geteuid() == 0)
                QSKIP("running as root, who can read any file");
            writeFile(path, "[Display]\nPlayerTotal=9\n");
            QVERIFY(QFile::setPermissions(path, {}));
        }
        SettingsStore::setFilePathOverride(path);
        S::PlayerTotal = 0;
        S::LoadAll();
        QCOMPARE(numbers(), Defaults);
        S::PlayerTotal = 4;
        const auto failure = S::SaveAll();
        QCOMPARE(!failure.has_value(), savable);
        if (failure)
            QVERIFY(!failure->isEmpty());
        else
            QVERIFY(readFile(path).contains("PlayerTotal=4"));
    }
};

QTEST_MAIN(TestRobustSettings)
#include "test_robust_settings.moc"
