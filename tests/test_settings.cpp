#include "platform/SettingsStore.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsParse.h"
#include "support/Facts.h"
#include "support/FakeNumLock.h"
#include "tools/SaveGeneration.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using Facts::row;
using Facts::text;
using S = PanelSettings;

namespace {

// The fifteen keys in save order.
const QStringList SavedKeys = {
    "ColorSettings/NumColor",    "ColorSettings/LEDBack",    "ColorSettings/FoulsColor",
    "ColorSettings/PointsColor", "ColorSettings/FormBack",   "ColorSettings/BorderColor",
    "KeySettings/NumLockForce",  "PicSettings/HomePic",      "PicSettings/VisitorPic",
    "PicSettings/LEDType",       "Display/ShowPlayerName",   "Display/ShowPlayerNumber",
    "Display/ShowPlayerFouls",   "Display/ShowPlayerPoints", "Display/PlayerTotal"};

// The record's stored fields in save order.
QString record()
{
    return text(S::NumColor, S::LEDBack, S::FoulsColor, S::PointsColor, S::FormBack, S::BorderColor,
                S::NumLockForce, S::HomePic, S::VisitorPic, S::LEDType, S::ShowPlayerName,
                S::ShowPlayerNumber, S::ShowPlayerFouls, S::ShowPlayerPoints, S::PlayerTotal);
}
const QString Defaults = "33023 0 255 49152 255 16777215 0   0 1 1 1 1 5";

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// Every saved key as a reader of the file finds it, in save order.
QString stored(const QString& path)
{
    SettingsStore::setFilePathOverride(path);
    const SettingsStore store(S::applicationName());
    QStringList values;
    for (const QString& key : SavedKeys)
        values << store.read(key.section('/', 0, 0), key.section('/', 1), "absent");
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
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        if (!contents.isNull())
            writeFile(path, contents);
        SettingsStore::setFilePathOverride(path);
        return path;
    }

private slots:
    void cleanup() { SettingsStore::setFilePathOverride({}); }

    void store_data()
    {
        Facts::columns();
        useStore({});
        S::LoadAll();
        row("no file: every default", record(), Defaults);
        useStore(
            "[ColorSettings]\nPointsColor=1\nFoulsColor=2\nNumColor=3\nLEDBack=4\nBorderColor=6\n");
        S::LoadAll();
        row("FormBack missing", record().section(' ', 0, 5), "3 4 2 1 255 6");

        const QString path = useStore("; mine\n[Extra]\nMine=kept\n", "saved.conf");
        setGeneration(0x10203);
        S::NumLockForce = 5;
        const QString saved = S::SaveAll().value_or("saved");
        row("save", text(saved, stored(path)), "saved " + record());
        row("unknown keys kept",
            text(SettingsStore(S::applicationName()).read("Extra", "Mine", {}),
                 readFile(path).startsWith("; mine\n")),
            "kept true");
        S::LoadAll();
        row("read back", record(), stored(path));

        const QString fresh = useStore({}, "fresh.conf");
        S::BorderColor = 16777215, S::NumLockForce = -7;
        S::SaveAll();
        QStringList order;
        for (const QByteArray& line : readFile(fresh).split('\n'))
            if (line.contains('='))
                order << line.left(line.indexOf('='));
            else if (line.startsWith('['))
                order << line;
        row("save order", order.join(' '),
            "[ColorSettings] NumColor LEDBack FoulsColor PointsColor FormBack "
            "BorderColor [KeySettings] NumLockForce [PicSettings] HomePic "
            "VisitorPic LEDType [Display] ShowPlayerName ShowPlayerNumber "
            "ShowPlayerFouls ShowPlayerPoints PlayerTotal");
        const QByteArray written = readFile(fresh);
        row("decimal text",
            text(written.contains("\nBorderColor=16777215\n"),
                 written.contains("\nNumLockForce=-7\n")),
            "true true");

        QVERIFY(QDir().mkpath(m_dir.filePath("folder.conf")));
        SettingsStore::setFilePathOverride(m_dir.filePath("folder.conf"));
        S::LoadAll();
        row("folder in its place", text(record(), S::SaveAll().value_or("saved")),
            Defaults + " a folder stands where the file should be");
    }
    void store() { Facts::check(); }

    void parseRules_data()
    {
        Facts::columns();
        auto rule = [](const char* field, const QString& t) {
            return QString(field) == "color"   ? SettingsParse::color(t, 255)
                   : QString(field) == "force" ? SettingsParse::numLockForce(t)
                   : QString(field) == "led"   ? SettingsParse::ledType(t)
                   : QString(field) == "show"  ? SettingsParse::showField(t)
                                               : SettingsParse::playerTotal(t);
        };
        const std::tuple<const char*, const char*, int> rows[] = {{"color", "65280", 65280},
                                                                  {"color", " 7 ", 7},
                                                                  {"color", "12abc", 255},
                                                                  {"color", "", 255},
                                                                  {"color", "16777216", 255},
                                                                  {"color", "-1", 255},
                                                                  {"color", "&HFF", 255},
                                                                  {"color", "1.0", 255},
                                                                  {"color", "99999999999", 255},
                                                                  {"force", "2", 2},
                                                                  {"force", "-7", -7},
                                                                  {"force", "2x", 0},
                                                                  {"force", "4294967297", 0},
                                                                  {"led", "1", 1},
                                                                  {"led", "7", 0},
                                                                  {"led", "1x", 0},
                                                                  {"show", "0", 0},
                                                                  {"show", "2", 1},
                                                                  {"show", "", 1},
                                                                  {"total", "12", 12},
                                                                  {"total", "70000", 15},
                                                                  {"total", " -3 ", 1},
                                                                  {"total", "12abc", 5}};
        for (const auto& [field, t, value] : rows)
            row(qPrintable(QString("%1 '%2'").arg(field, t)), QString::number(rule(field, t)),
                QString::number(value));
    }
    void parseRules() { Facts::check(); }

    // Files that once went wrong load showable values and take a save.
    void damagedFiles_data()
    {
        Facts::columns();
        QList<std::pair<QString, QByteArray>> files = {
            {"byte-order mark, CRLF, line outside sections",
             "\xef\xbb\xbfno value\r\n[Display]\r\nPlayerTotal=12\r\n"},
            {"truncated", "[Display]\nPlayerTotal=9\n[Disp"},
            {"binary", QByteArray("\x89PNG\r\n\x1a\n\0\0[]=\0", 16)}};
        const QDir dir(qEnvironmentVariable("TV_TEST_DATA") + "/robust/settings");
        for (const QString& name : dir.entryList(QDir::Files))
            files.append({name, readFile(dir.filePath(name))});
        for (const auto& [name, contents] : files) {
            const QString path = useStore(contents);
            S::LoadAll();
            bool showable = S::PlayerTotal >= 1 && S::PlayerTotal <= 15;
            for (qint32 c : {S::PointsColor, S::FoulsColor, S::NumColor, S::LEDBack, S::FormBack,
                             S::BorderColor})
                showable = showable && c >= 0 && c <= 0xFFFFFF;
            const int total = S::PlayerTotal;
            S::FormBack = 65280;
            const QString saved = S::SaveAll().value_or("saved");
            row(qPrintable(name), text(showable, saved, stored(path).section(' ', 4, 4)),
                "true saved 65280");
            if (name.startsWith("byte") || name == "truncated")
                row(qPrintable(name + ": count"), QString::number(total),
                    name == "truncated" ? "9" : "12");
        }
    }
    void damagedFiles() { Facts::check(); }

    void loadAppliesTheNumLockPolicy_data()
    {
        Facts::columns();
        for (auto [force, wasOn, expected] :
             {std::tuple("1", false, "1 true"), std::tuple("1", true, "0 true"),
              std::tuple("2", true, "1 false"), std::tuple("0", true, "0 true"),
              std::tuple("3", false, "0 false")}) {
            FakeNumLock keyboard(wasOn ? FakeNumLock::State::On : FakeNumLock::State::Off);
            useStore(QByteArray("[KeySettings]\nNumLockForce=") + force + "\n");
            S::LoadAll();
            S::LoadAll(); // a second panel reloads the record
            row(qPrintable(text(force, wasOn)),
                text(keyboard.sets, keyboard.state() == FakeNumLock::State::On), expected);
        }
    }
    void loadAppliesTheNumLockPolicy() { Facts::check(); }

    // A tool saving in a loop is killed at random moments: each time the store
    // is whole, from one save, and keeps the keys it did not write.
    void killedWhileSaving()
    {
        const QString path = useStore("[Extra]\nMine=kept\n");
        for (int kill = 0; kill < 30; ++kill) {
            QProcess tool;
            tool.start(QStringLiteral(SAVE_LOOP), {path, QString::number(kill * 1'000'000)});
            QVERIFY(tool.waitForReadyRead(30000));
            QTest::qSleep(QRandomGenerator::global()->bounded(30));
            QCOMPARE(tool.state(), QProcess::Running);
            tool.kill();
            QVERIFY(tool.waitForFinished());
            const QString saved = stored(path);
            setGeneration(saved.section(' ', 6, 6).toUInt());
            QCOMPARE(saved, record());
            QCOMPARE(SettingsStore(S::applicationName()).read("Extra", "Mine", {}), "kept");
        }
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
