#include "settings/PanelSettings.h"
#include "settings/SettingsStore.h"
#include "support/Facts.h"
#include "support/FakeNumLock.h"
#include "support/SettingsFacts.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using S = PanelSettings;
using SettingsFacts::record;
using SettingsFacts::stored;

namespace {

void setRecord(qint32 n, const QString& home, const QString& visitor)
{
    S::PointsColor = S::FoulsColor = S::NumColor = S::LEDBack = S::FormBack = n;
    S::BorderColor = S::NumLockForce = n, S::HomePic = home, S::VisitorPic = visitor;
    S::LEDType = S::ShowPlayerName = S::ShowPlayerNumber = S::PlayerTotal = qint16(n);
    S::ShowPlayerFouls = S::ShowPlayerPoints = qint16(n);
}

// A settings file of the test's own holding `contents` (none when null), and
// a record unlike anything a load gives, so that a field left unloaded shows.
struct StoreFile
{
    explicit StoreFile(const QByteArray& contents, const QString& name = "Tallyvane.conf")
        : path(dir.filePath(name))
    {
        QFile file(path);
        if (!contents.isNull() && file.open(QIODevice::WriteOnly))
            file.write(contents);
        SettingsStore::setFilePathOverride(path);
        setRecord(-9, "stale", "stale");
    }
    ~StoreFile() { SettingsStore::setFilePathOverride({}); }
    QByteArray bytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "no file";
    }
    QTemporaryDir dir;
    QString path;
};

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    // Every key's default where the file has no usable value for it (no file:
    // green, red, orange, black, red, white, normal, Lines, all columns, 5). The value
    // is the text after "=", blanks around it dropped and one pair of quotes
    // removed, nothing decoded further; a damaged or hand-written number
    // ("key=text -> loaded") loads as one the program can show. A keep mode
    // switching NumLock at once is in e2e/numlock.sh.
    void load_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("unlikeDefaults");
        QTest::newRow("no file") << QByteArray() << QStringList();
        QTest::newRow("FormBack missing")
            << QByteArray("[ColorSettings]\nNumColor=1\nLEDBack=2\nFoulsColor=3\nPointsColor=4\n"
                          "BorderColor=6\n")
            << QStringList{"NumColor=1", "LEDBack=2", "FoulsColor=3", "PointsColor=4",
                           "BorderColor=6"};
#define PIC "[PicSettings]\n"
        const std::tuple<const char*, const char*, const char*> texts[] = {
            {"blanks around", PIC "  HomePic \t=   /p/a b.jpg  \t", "/p/a b.jpg"},
            {"quoted", PIC "HomePic=\"  /p/a.jpg \"", "  /p/a.jpg "},
            {"one pair of quotes", PIC "HomePic=\"\"a\"\"", "\"a\""},
            {"a lone quote", PIC "HomePic=\"a", "\"a"},
            {"typed syntax, escapes, commas", PIC "HomePic=@Variant(\\0\\x7f)\\x41%20\\n\\\\a,b, c",
             "@Variant(\\0\\x7f)\\x41%20\\n\\\\a,b, c"},
            {"comment signs inside", PIC "HomePic=a.jpg ; home # team", "a.jpg ; home # team"},
            {"UTF-8, equals sign", PIC "HomePic=\xc3\xa4=b.jpg", "ä=b.jpg"},
            {"a key twice: the first", PIC "HomePic=first\nHomePic=second", "first"},
            {"byte-order mark, CRLF", "\xef\xbb\xbf" PIC "HomePic=crlf\r\n", "crlf"},
            {"blanks around the section", "  [ PicSettings ]  \nHomePic=blanks", "blanks"},
            {"case differs", "[picsettings]\nhomepic=a\n" PIC "HOMEPIC=b", ""},
            {"comments", PIC ";HomePic=a\n#HomePic=b\n  ; HomePic=c", ""},
            {"outside sections", "HomePic=outside\n" PIC, ""}};
#undef PIC
        for (auto [tag, file, homePic] : texts)
            QTest::newRow(tag) << QByteArray(file) << QStringList{QString("HomePic=") + homePic};
        // clang-format off
        const char* const rows[] = {
            "PointsColor=65280 -> 65280", "PointsColor=16777215 -> 16777215",
            "PointsColor=12abc -> 49152", "PointsColor= -> 49152", "PointsColor=1.0 -> 49152",
            "PointsColor=0x00FF00 -> 49152", "PointsColor=\" +255 \" -> 255",
            "PointsColor=0000000000255 -> 255", "FoulsColor=green -> 255",
            "NumColor=99999999999 -> 33023", "LEDBack=@Rect(1 2 3 4) -> 0", "FormBack=-1 -> 255",
            "BorderColor=16777216 -> 16777215", "NumLockForce=-7 -> -7",
            "NumLockForce=2147483647 -> 2147483647", "NumLockForce=2147483648 -> 0",
            "NumLockForce=keep on -> 0", "LEDType=1 -> 1", "LEDType=2 -> 0",
            "ShowPlayerName=0 -> 0", "ShowPlayerName=2 -> 1", "ShowPlayerName= -> 1",
            "ShowPlayerNumber=0 -> 0", "ShowPlayerFouls=0 -> 0", "ShowPlayerPoints=\" 0 \" -> 0",
            "PlayerTotal=12 -> 12", "PlayerTotal=0 -> 1", "PlayerTotal=16 -> 15",
            "PlayerTotal=70000 -> 15", "PlayerTotal=1e3 -> 5", "PlayerTotal= -> 5"};
        // clang-format on
        for (const char* row : rows) {
            const QString line = QString(row).section(" -> ", 0, 0), key = line.section('=', 0, 0);
            const QString section =
                SettingsFacts::keys.filter('/' + key).value(0).section('/', 0, 0);
            QTest::newRow(row) << QString("[%1]\n%2\n").arg(section, line).toUtf8()
                               << QStringList{key + '=' + QString(row).section(" -> ", 1)};
        }
    }
    void load()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, unlikeDefaults);
        const StoreFile store(file);
        const FakeNumLock keyboard(FakeNumLock::State::Off); // loading may switch NumLock
        S::loadAll();
        QStringList expected =
            QString("NumColor=33023 LEDBack=0 FoulsColor=255 PointsColor=49152 FormBack=255 "
                    "BorderColor=16777215 NumLockForce=0 HomePic= VisitorPic= LEDType=0 "
                    "ShowPlayerName=1 ShowPlayerNumber=1 ShowPlayerFouls=1 ShowPlayerPoints=1 "
                    "PlayerTotal=5")
                .split(' ');
        for (const QString& fact : unlikeDefaults)
            for (QString& d : expected)
                d = d.section('=', 0, 0) == fact.section('=', 0, 0) ? fact : d;
        CHECK_FACTS(record(), expected.join(' '));
    }

    // A save rewrites only the lines of its keys and adds what is missing after
    // them: everything else keeps its bytes and its place. The first save makes
    // the folder and the file: every key in save order, numbers as decimal text,
    // a text that would not read back as it is quoted. A line cannot hold a line
    // break: such a value is left out, and the save says so (a picture named
    // "a.jpg\n[Feed]..." would add a section).
    void save_data()
    {
        QTest::addColumn<QByteArray>("before"); // none, nor its folder, when null
        QTest::addColumn<QString>("homePic");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QByteArray>("after"); // up to the sections the save adds
        const QString h = "h.jpg", saved = "saved";
        QTest::newRow("comments, unknown keys and sections")
            << QByteArray("; mine\n# too\n[Extra]\nMine = kept ; as is\n\n[PicSettings]\n"
                          "; pictures\nHomePic=old.jpg\nCustom=x\n; was=1\n# was=2\n\n; end\n")
            << h << saved
            << QByteArray(
                   "; mine\n# too\n[Extra]\nMine = kept ; as is\n\n[PicSettings]\n"
                   "; pictures\nHomePic=h.jpg\nCustom=x\nVisitorPic=\" v, 2.jpg \"\n"
                   "LEDType=12\n; was=1\n# was=2\n\n; end\n\n[ColorSettings]\nNumColor=12\n");
        QTest::newRow("blanks and quotes of a saved line go; another case, a second time")
            << QByteArray("[ PicSettings ]\n  HomePic = \"old\" \nhomepic=a\nHomePic=b\n") << h
            << saved
            << QByteArray("[ PicSettings ]\nHomePic=h.jpg\nhomepic=a\nHomePic=b\nVisitorPic=");
        QTest::newRow("byte-order mark, CRLF, text not in UTF-8")
            << QByteArray("\xef\xbb\xbf; Spielst\xe4nde\r\n[PicSettings]\r\nHomePic=a\r\n") << h
            << saved
            << QByteArray("\xef\xbb\xbf; Spielst\xe4nde\r\n[PicSettings]\r\nHomePic=h.jpg\r\n"
                          "VisitorPic=\" v, 2.jpg \"\r\nLEDType=12\r\n\r\n[ColorSettings]\r\n");
        QTest::newRow("first save")
            << QByteArray() << QString("\"Home\" 1.jpg") << saved
            << QByteArray("[ColorSettings]\nNumColor=12\nLEDBack=12\nFoulsColor=12\n"
                          "PointsColor=12\nFormBack=12\nBorderColor=12\n\n[KeySettings]\n"
                          "NumLockForce=12\n\n[PicSettings]\nHomePic=\"\"Home\" 1.jpg\"\n"
                          "VisitorPic=\" v, 2.jpg \"\nLEDType=12\n\n[Display]\nShowPlayerName=12\n"
                          "ShowPlayerNumber=12\nShowPlayerFouls=12\nShowPlayerPoints=12\n"
                          "PlayerTotal=12\n");
        QTest::newRow("line break")
            << QByteArray("[PicSettings]\n") << QString("a.jpg\n[Feed]\nPort=80")
            << QString("the value of HomePic holds a line break")
            << QByteArray("[PicSettings]\nVisitorPic=\" v, 2.jpg \"\nLEDType=12\n\n[");
    }
    void save()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, homePic);
        QFETCH(QByteArray, after);
        const StoreFile store(before, before.isNull() ? "new/Tallyvane.conf" : "Tallyvane.conf");
        setRecord(12, homePic, " v, 2.jpg ");
        const QString said = S::saveAll().value_or("saved");
        QCOMPARE(store.bytes().left(after.size()), after);
        QTEST(said, "said");
        if (said == "saved") // and reads back, quoted texts and all
            CHECK_FACTS(stored(), record());
    }

    // A save that fails says why (a folder in the file's place: test_options).
    void failedSave()
    {
        const StoreFile store({}, "a/b/Tallyvane.conf");
        QVERIFY(QFile(store.dir.filePath("a")).open(QFile::WriteOnly));
        QCOMPARE(S::saveAll().value_or("saved"), "its folder does not exist and cannot be created");
    }

    // A tool saving in a loop is killed at random moments: each time the file
    // holds one whole save and the lines it did not write.
    void killedWhileSaving()
    {
        const StoreFile store("[Extra]\nMine=kept\n");
        for (int kill = 0; kill < 30; ++kill) {
            QProcess tool;
            tool.start(QStringLiteral(SAVE_LOOP), {store.path, QString::number(kill * 1000 + 1)});
            QVERIFY(tool.waitForReadyRead(30000));
            QTest::qSleep(QRandomGenerator::global()->bounded(30));
            QCOMPARE(tool.state(), QProcess::Running);
            tool.kill();
            QVERIFY(tool.waitForFinished());
            const QString n = stored().section(' ', 0, 0).section('=', 1);
            setRecord(n.toInt(), "/pictures/" + n + ".jpg", "/pictures/" + n + ".jpg");
            CHECK_FACTS(stored(), record());
            QVERIFY(store.bytes().startsWith("[Extra]\nMine=kept\n"));
        }
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
