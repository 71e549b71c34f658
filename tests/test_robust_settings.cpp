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
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
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
    const QByteArray layout =
        "[ColorSettings] PointsColor FoulsColor NumColor LEDBack FormBack BorderColor "
        "[KeySettings] NumLockForce [PicSettings] LEDType HomePic VisitorPic [Display] "
        "ShowPlayerName ShowPlayerNumber ShowPlayerFouls ShowPlayerPoints PlayerTotal";
    QByteArray text;
    for (const QByteArray& word : layout.split(' '))
        text += (word.startsWith('[') ? word : word + '=' + value) + '\n';
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
        auto add = [](const char* tag, const QByteArray& contents, const QString& homePic = {},
                      const QList<qint64>& expected = Defaults) {
            QTest::newRow(tag) << contents << expected << homePic;
        };
        // Defaults but for the fields named: FormBack, NumLockForce, ShowPlayerName, PlayerTotal.
        auto defaultsWith = [](qint64 formBack, qint64 numLock, qint64 showName, qint64 total) {
            return QList<qint64>{49152, 255,      33023, 0, formBack, 16777215, numLock,
                                 0,     showName, 1,     1, 1,        total};
        };
        add("empty", {});
        add("garbage in every key", everyKey("x7!"), "x7!");
        add("only blanks in every key", everyKey("   "));
        add("numbers with units", everyKey("12px"), "12px");
        add("hexadecimal", everyKey("&HFF"), "&HFF");
        add("fractions", everyKey("1.0"), "1.0");
        add("out of range, large", everyKey("2147483647"), "2147483647",
            defaultsWith(255, 2147483647, 1, 15));
        add("out of range, negative", everyKey("-2147483648"), "-2147483648",
            defaultsWith(255, -2147483648LL, 1, 1));
        add("beyond 32 bits", everyKey("2147483648"), "2147483648");
        add("Qt's typed values", everyKey("@Rect(1 2 3 4)"));
        add("byte array", everyKey("@ByteArray(7)"), "7", {7, 7, 7, 7, 7, 7, 7, 0, 1, 1, 1, 1, 7});
        add("duplicated sections, last value wins",
            "[Display]\nPlayerTotal=3\nShowPlayerName=0\n[ColorSettings]\nFormBack=65280\n"
            "[Display]\nPlayerTotal=9\n[ColorSettings]\nFormBack=oops\n",
            {}, defaultsWith(255, 0, 0, 9));
        add("truncated mid-line", "[ColorSettings]\nFormBack=65280\n[Display]\nPlayerTotal=1", {},
            defaultsWith(65280, 0, 1, 1));
        add("truncated in a key", "[ColorSettings]\nFormBack=65280\n[Display]\nPlayerTot", {},
            defaultsWith(65280, 0, 1, 5));
        add("truncated in a section name", "[ColorSettings]\nFormBack=65280\n[Disp", {},
            defaultsWith(65280, 0, 1, 5));
        add("binary", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe[]=\0", 23));
        add("lines without values or names", "[PicSettings]\nHomePic\n=lost\n[]\nVisitorPic=v\n");
        add("Windows line ends and a byte-order mark",
            "\xef\xbb\xbf[Display]\r\nPlayerTotal=12\r\n[PicSettings]\r\n"
            "HomePic=C:\\\\Pics\\\\home.jpg\r\n",
            "C:\\Pics\\home.jpg", defaultsWith(255, 0, 1, 12));

        // Inputs the fuzzer once failed on, kept as they were found: any
        // showable values will do.
        const QDir dir(qEnvironmentVariable("TV_TEST_DATA") + "/robust/settings");
        const QStringList found = dir.entryList(QDir::Files);
        QVERIFY(!found.isEmpty());
        for (const QString& name : found)
            add(qPrintable(name), readFile(dir.filePath(name)), {}, {});
    }
    void damagedFiles()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QList<qint64>, expected);
        const QString path = useStore(contents);
        S::LoadAll();
        verifyShowable();
        if (!expected.isEmpty()) {
            QCOMPARE(numbers(), expected);
            QTEST(S::HomePic, "homePic");
        }
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
        if (kind == "missing folder")
            path = m_dir.filePath(QString("new%1/deeper/Tallyvane.conf").arg(m_files));
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        else if (kind == "loop")
            QVERIFY(QFile::link(path, path));
        else if (kind == "dangling")
            QVERIFY(QFile::link(m_dir.filePath("nowhere.conf"), path));
        else if (kind == "unreadable") {
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
