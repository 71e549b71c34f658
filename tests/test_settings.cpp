#include "settings/PanelSettings.h"
#include "settings/SettingsParse.h"
#include "settings/SettingsStore.h"
#include "support/Facts.h"
#include "support/FakeNumLock.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using Facts::row;
using Facts::text;
using S = PanelSettings;

namespace {

// The record's stored fields in save order.
QString record()
{
    return text(S::NumColor, S::LEDBack, S::FoulsColor, S::PointsColor, S::FormBack, S::BorderColor,
                S::NumLockForce, S::HomePic, S::VisitorPic, S::LEDType, S::ShowPlayerName,
                S::ShowPlayerNumber, S::ShowPlayerFouls, S::ShowPlayerPoints, S::PlayerTotal);
}
const char* defaults = "33023 0 255 49152 255 16777215 0   0 1 1 1 1 5";

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The saved keys, in save order, as a reader of the file finds them.
QString stored(const QString& path)
{
    SettingsStore::setFilePathOverride(path);
    const SettingsStore store(S::applicationName());
    QStringList values;
    for (const char* key :
         {"ColorSettings/NumColor", "ColorSettings/LEDBack", "ColorSettings/FoulsColor",
          "ColorSettings/PointsColor", "ColorSettings/FormBack", "ColorSettings/BorderColor",
          "KeySettings/NumLockForce", "PicSettings/HomePic", "PicSettings/VisitorPic",
          "PicSettings/LEDType", "Display/ShowPlayerName", "Display/ShowPlayerNumber",
          "Display/ShowPlayerFouls", "Display/ShowPlayerPoints", "Display/PlayerTotal"})
        values << store.read(QString(key).section('/', 0, 0), QString(key).section('/', 1), "-");
    return values.join(' ');
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeNumLock m_keyboard;

    QString useStore(const QByteArray& contents, const char* name = "Tallyvane.conf")
    {
        QFile file(m_dir.filePath(name));
        file.remove();
        if (!contents.isNull() && file.open(QIODevice::WriteOnly))
            file.write(contents);
        SettingsStore::setFilePathOverride(file.fileName());
        return file.fileName();
    }

private slots:
    void cleanup() { SettingsStore::setFilePathOverride({}); }

    void store_data()
    {
        Facts::columns();
        useStore({});
        S::loadAll();
        row("no file: every default", record(), defaults);
        useStore(
            "[ColorSettings]\nPointsColor=1\nFoulsColor=2\nNumColor=3\nLEDBack=4\nBorderColor=6");
        S::loadAll();
        row("FormBack missing", record().section(' ', 0, 5), "3 4 2 1 255 6");

        const QString path = useStore("; mine\n[Extra]\nMine=kept\n");
        // Every field unlike its default, so that reading back checks each key.
        S::NumColor = 16711680, S::FormBack = 65535, S::NumLockForce = -7, S::LEDType = 1;
        S::ShowPlayerName = S::ShowPlayerNumber = S::ShowPlayerFouls = S::ShowPlayerPoints = 0;
        S::PlayerTotal = 12, S::HomePic = "/pics/home team, 2026.png", S::VisitorPic = "v.png";
        const QString saved = S::saveAll().value_or("saved");
        row("saved", text(saved, stored(path)), text("saved", record()));
        row("unknown lines kept", text(readFile(path).startsWith("; mine\n[Extra]\nMine=kept\n")),
            "true");
        S::loadAll();
        row("read back", record(), stored(path));
        QStringList order;
        useStore({}, "fresh.conf");
        S::saveAll();
        const QByteArray fresh = readFile(m_dir.filePath("fresh.conf"));
        for (const QByteArray& line : fresh.split('\n'))
            order << line.split('=').first();
        row("save order, decimal text", order.join(' ').simplified(),
            "[ColorSettings] NumColor LEDBack FoulsColor PointsColor FormBack BorderColor "
            "[KeySettings] NumLockForce [PicSettings] HomePic VisitorPic LEDType [Display] "
            "ShowPlayerName ShowPlayerNumber ShowPlayerFouls ShowPlayerPoints PlayerTotal");
        row("decimal text",
            text(fresh.contains("\nNumColor=16711680\n"), fresh.contains("\nNumLockForce=-7\n")),
            "true true");

        // Another INI reader's typed-value syntax is plain text here.
        const QString typed = useStore("[ColorSettings]\nFormBack=@Variant(\\0\\0\\0\\x7f\\0\\0\\0"
                                       "\\x6QColor)\n[PicSettings]\nHomePic=@ByteArray(x)\n"
                                       "VisitorPic=\"a, b\"\n[Feed]\nPort=@Rect(1 2 3 4)\n",
                                       "typed.conf");
        S::loadAll();
        row("typed syntax read as text", text(S::FormBack, S::HomePic, S::VisitorPic),
            "255 @ByteArray(x) a, b");
        S::saveAll();
        const QByteArray typedSaved = readFile(typed);
        row("typed syntax saved as text",
            text(typedSaved.contains("\nFormBack=255\n"),
                 typedSaved.contains("\nHomePic=@ByteArray(x)\n"),
                 typedSaved.contains("[Feed]\nPort=@Rect(1 2 3 4)\n")),
            "true true true");

        QVERIFY(QDir().mkpath(m_dir.filePath("folder.conf")));
        SettingsStore::setFilePathOverride(m_dir.filePath("folder.conf"));
        S::loadAll();
        row("a folder in its place", text(record(), S::saveAll().value_or("saved")),
            text(defaults, "a folder stands where the file should be"));
    }
    void store() { Facts::check(); }

    void parseRules_data()
    {
        Facts::columns();
        using namespace SettingsParse;
        const std::tuple<const char*, qint32 (*)(QStringView), const char*> rules[] = {
            {"color", [](QStringView t) { return color(t, 255); },
             "65280|007|12abc||16777216|-1|&HFF|1.0|99999999999"},
            {"force", numLockForce, "2|-7|2x|4294967297"},
            {"led", [](QStringView t) -> qint32 { return ledType(t); }, "1|7|1x"},
            {"show", [](QStringView t) -> qint32 { return showField(t); }, "0|2|"},
            {"total", [](QStringView t) -> qint32 { return playerTotal(t); },
             "12|70000| -3 |12abc"}};
        const char* expected[] = {"65280 7 255 255 255 255 255 255 255", "2 -7 0 0", "1 0 0",
                                  "0 1 1", "12 15 1 5"};
        for (int i = 0; i < 5; ++i) {
            QStringList values;
            for (const QString& t : QString(std::get<2>(rules[i])).split('|'))
                values << QString::number(std::get<1>(rules[i])(t));
            row(std::get<0>(rules[i]), values.join(' '), expected[i]);
        }
    }
    void parseRules() { Facts::check(); }

    // Files that once went wrong load values the program can show and take a save.
    void damagedFiles_data()
    {
        Facts::columns();
        QList<std::pair<QString, QByteArray>> files = {
            {"BOM, CRLF, line outside sections",
             "\xef\xbb\xbfnone\r\n[Display]\r\nPlayerTotal=12\r\n"},
            {"truncated", "[Display]\nPlayerTotal=12\n[Disp"},
            {"binary", QByteArray("\x89PNG\r\n\x1a\n\0\0[]=\0", 14)}};
        const QDir dir(qEnvironmentVariable("TV_TEST_DATA") + "/robust/settings");
        for (const QString& name : dir.entryList(QDir::Files))
            files.append({name, readFile(dir.filePath(name))});
        for (const auto& [name, contents] : files) {
            const QString path = useStore(contents);
            S::loadAll();
            bool showable = S::PlayerTotal >= 1 && S::PlayerTotal <= 15;
            for (qint32 c : {S::PointsColor, S::FoulsColor, S::NumColor, S::LEDBack, S::FormBack,
                             S::BorderColor})
                showable = showable && c >= 0 && c <= 0xFFFFFF;
            const int total = name == "binary" || name.startsWith("crash") ? 12 : S::PlayerTotal;
            S::FormBack = 65280;
            const QString saved = S::saveAll().value_or("saved");
            row(qPrintable(name), text(showable, total, saved, stored(path).section(' ', 4, 4)),
                "true 12 saved 65280");
        }
    }
    void damagedFiles() { Facts::check(); }

    void loadAppliesTheNumLockPolicy_data()
    {
        Facts::columns();
        const std::tuple<const char*, bool, const char*> cases[] = {{"1", false, "1 true"},
                                                                    {"1", true, "0 true"},
                                                                    {"2", true, "1 false"},
                                                                    {"0", true, "0 true"},
                                                                    {"3", false, "0 false"}};
        for (auto [force, wasOn, expected] : cases) {
            FakeNumLock keyboard(wasOn ? FakeNumLock::State::On : FakeNumLock::State::Off);
            useStore(QByteArray("[KeySettings]\nNumLockForce=") + force);
            S::loadAll();
            S::loadAll(); // a second panel reloads the record
            row(qPrintable(text(force, wasOn)),
                text(keyboard.sets, keyboard.state() == FakeNumLock::State::On), expected);
        }
    }
    void loadAppliesTheNumLockPolicy() { Facts::check(); }

    // A tool saving in a loop is killed at random moments: each time the store
    // holds one whole save and the lines it did not write.
    void killedWhileSaving()
    {
        const QString path = useStore("[Extra]\nMine=kept\n");
        for (int kill = 0; kill < 30; ++kill) {
            QProcess tool;
            tool.start(QStringLiteral(SAVE_LOOP), {path, QString::number(kill * 1000 + 1)});
            QVERIFY(tool.waitForReadyRead(30000));
            QTest::qSleep(QRandomGenerator::global()->bounded(30));
            QCOMPARE(tool.state(), QProcess::Running);
            tool.kill();
            QVERIFY(tool.waitForFinished());
            const QString n = stored(path).section(' ', 0, 0), pic = "/pictures/" + n + ".jpg";
            QCOMPARE(stored(path), text(n, n, n, n, n, n, n, pic, pic, n, n, n, n, n, n));
            QVERIFY(readFile(path).contains("[Extra]\nMine=kept\n"));
        }
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
