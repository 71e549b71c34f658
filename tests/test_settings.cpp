#include "settings/PanelSettings.h"
#include "settings/SettingsStore.h"
#include "support/Facts.h"
#include "support/FakeNumLock.h"
#include "support/SettingsFacts.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using Facts::facts;
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
    // ("key=text -> loaded") loads as one the program can show.
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
        QTest::newRow("keep on: NumLock on at once") << QByteArray("[KeySettings]\nNumLockForce=1")
                                                     << QStringList{"NumLockForce=1", "NumLock=on"};
#define PIC "[PicSettings]\n"
        const std::tuple<const char*, const char*, const char*> texts[] = {
            {"blanks around", PIC "  HomePic \t=   /p/a b.jpg  \t", "/p/a b.jpg"},
            {"quoted", PIC "HomePic=\"  /p/a.jpg \"", "  /p/a.jpg "},
            {"one pair of quotes", PIC "HomePic=\"\"a\"\"", "\"a\""},
            {"a lone quote", PIC "HomePic=\"a", "\"a"},
            {"typed syntax", PIC "HomePic=@Variant(\\0\\x7f)", "@Variant(\\0\\x7f)"},
            {"escapes", PIC "HomePic=\\x41%20\\n\\\\a", "\\x41%20\\n\\\\a"},
            {"commas", PIC "HomePic=a,b, c", "a,b, c"},
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
            "PointsColor=65280 -> 65280", "PointsColor=007 -> 7", "PointsColor=-1 -> 49152",
            "PointsColor=16777215 -> 16777215", "PointsColor=16777216 -> 49152",
            "PointsColor=12abc -> 49152", "PointsColor= -> 49152", "PointsColor=1.0 -> 49152",
            "PointsColor=0x00FF00 -> 49152", "PointsColor=\" +255 \" -> 255",
            "PointsColor=0000000000255 -> 255", "FoulsColor=green -> 255",
            "NumColor=99999999999 -> 33023", "LEDBack=@Rect(1 2 3 4) -> 0", "FormBack=-1 -> 255",
            "BorderColor=16777216 -> 16777215", "NumLockForce=-7 -> -7",
            "NumLockForce=2147483647 -> 2147483647", "NumLockForce=2147483648 -> 0",
            "NumLockForce=keep on -> 0", "LEDType=1 -> 1", "LEDType=Dots -> 0", "LEDType=2 -> 0",
            "ShowPlayerName=0 -> 0", "ShowPlayerName=2 -> 1", "ShowPlayerName= -> 1",
            "ShowPlayerNumber=0 -> 0", "ShowPlayerFouls=0 -> 0", "ShowPlayerPoints=\" 0 \" -> 0",
            "PlayerTotal=12 -> 12", "PlayerTotal=0 -> 1", "PlayerTotal=-3 -> 1",
            "PlayerTotal=16 -> 15", "PlayerTotal=70000 -> 15", "PlayerTotal=1e3 -> 5",
            "PlayerTotal= -> 5"};
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
        FakeNumLock keyboard(FakeNumLock::State::Off);
        S::loadAll();
        QStringList expected =
            QString("NumLock=off NumColor=33023 LEDBack=0 FoulsColor=255 PointsColor=49152 "
                    "FormBack=255 BorderColor=16777215 NumLockForce=0 HomePic= VisitorPic= "
                    "LEDType=0 ShowPlayerName=1 ShowPlayerNumber=1 ShowPlayerFouls=1 "
                    "ShowPlayerPoints=1 PlayerTotal=5")
                .split(' ');
        for (const QString& fact : unlikeDefaults)
            for (QString& d : expected)
                d = d.section('=', 0, 0) == fact.section('=', 0, 0) ? fact : d;
        const bool on = keyboard.state() == FakeNumLock::State::On;
        CHECK_FACTS(facts("NumLock", on ? "on" : "off") + ' ' + record(), expected.join(' '));
    }

    // A save rewrites only the lines of its keys and adds what is missing after
    // them: everything else keeps its bytes and its place.
    void saveKeeps_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after"); // up to the sections the save adds
        QTest::newRow("comments, unknown keys and sections")
            << QByteArray("; mine\n# too\n[Extra]\nMine = kept ; as is\n\n[PicSettings]\n"
                          "; pictures\nHomePic=old.jpg\nCustom=x\n; was=1\n# was=2\n\n; end\n")
            << QByteArray("; mine\n# too\n[Extra]\nMine = kept ; as is\n\n[PicSettings]\n"
                          "; pictures\nHomePic=h.jpg\nCustom=x\nVisitorPic=\nLEDType=1\n"
                          "; was=1\n# was=2\n\n; end\n\n[ColorSettings]\nNumColor=1\n");
        QTest::newRow("blanks and quotes of a saved line go; another case, a second time")
            << QByteArray("[ PicSettings ]\n  HomePic = \"old\" \nhomepic=a\nHomePic=b\n")
            << QByteArray("[ PicSettings ]\nHomePic=h.jpg\nhomepic=a\nHomePic=b\nVisitorPic=\n");
        QTest::newRow("byte-order mark, CRLF, text not in UTF-8")
            << QByteArray("\xef\xbb\xbf; Spielst\xe4nde\r\n[PicSettings]\r\nHomePic=a\r\n")
            << QByteArray("\xef\xbb\xbf; Spielst\xe4nde\r\n[PicSettings]\r\nHomePic=h.jpg\r\n"
                          "VisitorPic=\r\nLEDType=1\r\n\r\n[ColorSettings]\r\nNumColor=1\r\n");
    }
    void saveKeeps()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const StoreFile store(before);
        setRecord(1, "h.jpg", "");
        QCOMPARE(S::saveAll().value_or("saved"), "saved");
        QCOMPARE(store.bytes().left(after.size()), after);
        CHECK_FACTS(stored(), record());
    }

    // The first save makes the folder and the file: every key in save order,
    // numbers as decimal text, a text that would not read back as it is quoted.
    void firstSave()
    {
        const StoreFile store(QByteArray(), "new/Tallyvane.conf");
        setRecord(1, "\"Home\" 1.jpg", " v, 2.jpg ");
        // Every field unlike its default, so that loading it back checks each key.
        S::NumColor = 16711680, S::FoulsColor = 2, S::PointsColor = 3, S::FormBack = 4;
        S::BorderColor = 65535, S::NumLockForce = -2, S::PlayerTotal = 15;
        S::ShowPlayerName = S::ShowPlayerNumber = S::ShowPlayerFouls = S::ShowPlayerPoints = 0;
        const QString saved = record();
        QCOMPARE(S::saveAll().value_or("saved"), "saved");
        QCOMPARE(store.bytes(),
                 "[ColorSettings]\nNumColor=16711680\nLEDBack=1\nFoulsColor=2\n"
                 "PointsColor=3\nFormBack=4\nBorderColor=65535\n\n"
                 "[KeySettings]\nNumLockForce=-2\n\n[PicSettings]\n"
                 "HomePic=\"\"Home\" 1.jpg\"\nVisitorPic=\" v, 2.jpg \"\nLEDType=1\n\n"
                 "[Display]\nShowPlayerName=0\nShowPlayerNumber=0\n"
                 "ShowPlayerFouls=0\nShowPlayerPoints=0\nPlayerTotal=15\n");
        setRecord(-9, "", "");
        S::loadAll();
        CHECK_FACTS(record(), saved);
    }

    // A save that fails says why.
    void failedSave()
    {
        QStringList reasons;
        for (const QString name : {"Tallyvane.conf", "a/b/Tallyvane.conf"}) {
            const StoreFile store({}, name);
            QVERIFY(name.startsWith("a/") ? QFile(store.dir.filePath("a")).open(QFile::WriteOnly)
                                          : QDir().mkpath(store.path));
            reasons << S::saveAll().value_or("saved");
        }
        CHECK_FACTS(facts("folder in its place", reasons[0], "folder under a file", reasons[1]),
                    "folder in its place=a folder stands where the file should be "
                    "folder under a file=its folder does not exist and cannot be created");
    }

    // A line cannot hold a line break: such a value is left out, and the save
    // says so (a picture named "a.jpg\n[Feed]..." would add a section).
    void lineBreakInValue()
    {
        const StoreFile store("[Extra]\nMine=kept\n");
        setRecord(1, "a.jpg\n[Feed]\nPort=80", "v.jpg");
        const QString reason = S::saveAll().value_or("saved");
        const SettingsStore file(S::applicationName());
        CHECK_FACTS(facts("save", reason, "HomePic", file.read("PicSettings", "HomePic", "absent"),
                          "Feed", file.read("Feed", "Port", "absent"), "VisitorPic",
                          file.read("PicSettings", "VisitorPic", "absent")),
                    "save=the value of HomePic holds a line break HomePic=absent Feed=absent "
                    "VisitorPic=v.jpg");
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
