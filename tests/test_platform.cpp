#include "toolkit/ValueText.h"
#include "toolkit/ImageControl.h"
#include "toolkit/KeyCodes.h"
#include "toolkit/FilledBox.h"
#include "toolkit/PropertyBag.h"
#include "toolkit/TwipsGeometry.h"
#include "toolkit/modStretch.h"
#include "support/Facts.h"

#include <QKeyEvent>
#include <QTemporaryDir>
#include <QtEndian>

using Facts::row;
using Facts::text;

namespace {

QByteArray le32(qint32 value)
{
    value = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char*>(&value), 4);
}

// A 24-bit BMP of width x height (negative height: stored top down), with
// `data` bytes of pixels; all of them when not given.
QByteArray bmp(qint32 w, qint32 h, qint64 data = -1)
{
    data = data < 0 ? 4LL * w * qAbs(h) : data;
    return "BM" + le32(qint32(54 + data)) + le32(0) + le32(54) + le32(40) + le32(w) + le32(h) +
           QByteArray("\x01\0\x18\0", 4) + QByteArray(24, '\0') + QByteArray(data, '\x40');
}

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString& name, const QByteArray& bytes)
    {
        QFile out(m_dir.filePath(name));
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write(bytes);
        return out.fileName();
    }
    QString picture(const QString& name, int w, int h, QColor color = Qt::blue)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(color);
        image.save(m_dir.filePath(name));
        return m_dir.filePath(name);
    }

private slots:
    void platform_data()
    {
        Facts::columns();
        row("round half to even", text(Twips::roundHalfEven(70.5), Twips::roundHalfEven(71.5)),
            "70 72");

        const std::pair<const char*, double> numbers[] = {
            {"7", 7},       {"12", 12},  {"5x", 5},     {"x5", 0},      {"-", 0},
            {" 3", 3},      {"3.", 3},   {".5", 0.5},   {"-4", -4},     {"1 2\t3", 123},
            {"1.5E2", 150}, {"2d1", 20}, {"&HFF", 255}, {"&HFFFF", -1}, {"&O17", 15},
            {"&O78", 7},    {"", 0},     {"1.2.3", 1.2}};
        for (auto [t, number] : numbers) {
            const double value = ValueText::textToNumber(QString(t));
            row(qPrintable(text("text", t)), text(value), text(number));
        }

        const int pad = Qt::KeypadModifier;
        const std::tuple<int, int, int> keys[] = {
            {Qt::Key_F1, 0, 112},       {Qt::Key_F2, int(Qt::ShiftModifier), 113},
            {Qt::Key_NumLock, 0, 144},  {Qt::Key_7, 0, 55},
            {Qt::Key_7, pad, 103},      {Qt::Key_Plus, pad, 107},
            {Qt::Key_Minus, pad, 109},  {Qt::Key_Equal, 0, 187},
            {Qt::Key_Minus, 0, 189},    {Qt::Key_Period, 0, 190},
            {Qt::Key_Period, pad, 110}, {Qt::Key_A, 0, 65},
            {Qt::Key_Return, 0, 13},    {Qt::Key_Exclam, int(Qt::ShiftModifier), 49}};
        for (auto [key, mods, code] : keys) {
            const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(mods));
            row(qPrintable(text("key", key, mods)), text(KeyCodes::virtualKey(&event)), text(code));
        }

        PropertyBag bag;
        bag.writeBool("PIsHomeTeam", true, true);
        const int stored = bag.size();
        bag.writeBool("PIsHomeTeam", false, true);
        const PropertyBag read =
            PropertyBag::fromText(bag.toText() + "\nA=0\nB=fAlSe\nC=-1\nD=maybe");
        row("property bag",
            text(stored, read.readBool("PIsHomeTeam", true), read.readBool("None", true),
                 read.readBool("A", true), read.readBool("B", true), read.readBool("C", false),
                 read.readBool("D", true)),
            "0 false true false false true true");

        // Pictures fitted into a 720 x 540 twip box; each pixel is 15 twips.
        const std::tuple<const char*, QString, const char*> pictures[] = {
            {"wide: the width fills", picture("w.png", 192, 96), "0 90 720 360"},
            {"tall: the height fills", picture("t.png", 40, 80), "225 0 270 540"},
            {"same proportions", picture("s.png", 96, 72), "0 0 720 540"},
            {"BMP stored top down", file("td.bmp", bmp(4, -2)), "0 90 720 360"},
            {"empty path clears", QString(), "none"},
            {"not a picture", file("notes.jpg", "Home team\n"), "none"},
            {"BMP cut in its header", file("cut.bmp", bmp(4, 4).left(30)), "none"},
            {"declares 2^31 pixels a side",
             qEnvironmentVariable("TV_TEST_DATA") + "/robust/picture/huge-declared.png", "none"},
            {"BMP declaring 30000 x 30000", file("huge.bmp", bmp(30000, 30000, 4096)), "none"}};
        for (const auto& [tag, path, fitted] : pictures) {
            FilledBox box;
            Twips::setGeometry(&box, 0, 0, 720, 540);
            ImageControl img(&box);
            modStretch::FitPicture(&img, &box, picture("before.png", 10, 10));
            modStretch::FitPicture(&img, &box, path);
            const QString shown = img.hasPicture() ? text(Twips::left(&img), Twips::top(&img),
                                                          Twips::width(&img), Twips::height(&img))
                                                   : "none";
            row(tag, text(shown, img.stretch(), img.isVisibleTo(&box)), text(fitted, true, true));
        }

        // No file, or a folder, keeps the picture shown; a replaced file is read afresh.
        FilledBox box;
        Twips::setGeometry(&box, 0, 0, 720, 540);
        ImageControl img(&box);
        modStretch::FitPicture(&img, &box, m_dir.filePath("gone.png"));
        const bool first = img.hasPicture();
        const QString path = picture("logo.png", 30, 10, Qt::red);
        modStretch::FitPicture(&img, &box, path);
        modStretch::FitPicture(&img, &box, m_dir.filePath("gone.png"));
        modStretch::FitPicture(&img, &box, m_dir.path());
        const QString kept = text(img.picture().pixelColor(0, 0).name(), Twips::top(&img));
        picture("logo.png", 3000, 1000, Qt::green);
        modStretch::FitPicture(&img, &box, path);
        row("missing, folder, replaced", text(first, kept, img.picture().pixelColor(0, 0).name()),
            "false #ff0000 150 #00ff00");
    }
    void platform() { Facts::check(); }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
