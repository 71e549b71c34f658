// libFuzzer entry: any bytes as the settings file must load into a record the
// program can show, and saving that record must read back unchanged.
#include "FuzzCheck.h"
#include "platform/NumLockBackend.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <array>

namespace {

// The keyboard is never touched while fuzzing.
class NoNumLock final : public NumLockBackend
{
public:
    State state() override { return State::Unknown; }
    void set(bool) override {}
};

// Made on first use and removed when the fuzzer exits.
QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    require(dir.isValid());
    return dir;
}

void writeFile(const QString& path, QByteArrayView bytes)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(file.write(bytes.data(), bytes.size()) == bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    require(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

bool isColor(qint32 value)
{
    return value >= 0 && value <= 0xFFFFFF;
}
bool isFlag(qint16 value)
{
    return value == 0 || value == 1;
}

struct Record
{
    std::array<qint32, 7> numbers;
    std::array<qint16, 6> smallNumbers;
    QString homePic, visitorPic;

    static Record current()
    {
        using S = PanelSettings;
        return {{S::PointsColor, S::FoulsColor, S::NumColor, S::LEDBack, S::FormBack,
                 S::BorderColor, S::NumLockForce},
                {S::LEDType, S::ShowPlayerName, S::ShowPlayerNumber, S::ShowPlayerFouls,
                 S::ShowPlayerPoints, S::PlayerTotal},
                S::HomePic,
                S::VisitorPic};
    }
    bool operator==(const Record&) const = default;

    QByteArray describe() const
    {
        QStringList parts;
        for (qint32 n : numbers)
            parts << QString::number(n);
        for (qint16 n : smallNumbers)
            parts << QString::number(n);
        parts << u'"' + homePic + u'"' << u'"' + visitorPic + u'"';
        return parts.join(u' ').toUtf8();
    }
};

void loadFrom(const QString& path)
{
    SettingsStore::setFilePathOverride(path);
    PanelSettings::loadAll();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // As in the program, whose panels load the settings.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    silenceQtMessages();
    static NoNumLock noNumLock;
    NumLockBackend::setInstance(&noNumLock);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString stored = folder().filePath(QStringLiteral("stored.conf"));
    writeFile(stored, QByteArrayView(data, qsizetype(size)));
    loadFrom(stored);

    using S = PanelSettings;
    for (qint32 color :
         {S::PointsColor, S::FoulsColor, S::NumColor, S::LEDBack, S::FormBack, S::BorderColor})
        require(isColor(color));
    require(S::PlayerTotal >= 1 && S::PlayerTotal <= 15);
    for (qint16 show :
         {S::ShowPlayerName, S::ShowPlayerNumber, S::ShowPlayerFouls, S::ShowPlayerPoints})
        require(isFlag(show));
    require(isFlag(S::LEDType));

    // Saving what was loaded, then loading the saved file afresh, changes
    // nothing; the save itself must succeed on a writable file.
    const Record loaded = Record::current();
    require(!S::saveAll().has_value());
    const QString copy = folder().filePath(QStringLiteral("copy.conf"));
    writeFile(copy, readFile(stored));
    loadFrom(copy);
    const Record reloaded = Record::current();
    if (!(reloaded == loaded))
        std::fprintf(stderr, "loaded:   %s\nreloaded: %s\nsaved file:\n%s\n",
                     loaded.describe().constData(), reloaded.describe().constData(),
                     readFile(copy).constData());
    require(reloaded == loaded);

    SettingsStore::setFilePathOverride({});
    return 0;
}
