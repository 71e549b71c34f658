#include "support/Facts.h"
#include "toolkit/BgrColor.h"
#include "toolkit/FilledBox.h"
#include "toolkit/ImageControl.h"
#include "toolkit/ImageLoader.h"
#include "toolkit/KeyCodes.h"
#include "toolkit/PropertyBag.h"
#include "toolkit/TwipsGeometry.h"
#include "toolkit/ValueText.h"
#include "toolkit/modStretch.h"

#include <QKeyEvent>
#include <QTemporaryDir>
#include <QtEndian>

using Facts::facts;

namespace {

QByteArray le32(qint32 value)
{
    value = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char*>(&value), 4);
}

// A 24-bit BMP of w x h (negative h: stored top down) with `data` bytes of
// pixels, all of them when not given.
QByteArray bmp(qint32 w, qint32 h, qint64 data = -1)
{
    data = data < 0 ? 4LL * w * qAbs(h) : data;
    return "BM" + le32(qint32(54 + data)) + le32(0) + le32(54) + le32(40) + le32(w) + le32(h) +
           QByteArray("\x01\0\x18\0", 4) + QByteArray(24, '\0') + QByteArray(data, '\x40');
}

QString place(const QWidget* w)
{
    return facts("left", Twips::left(w), "top", Twips::top(w), "width", Twips::width(w), "height",
                 Twips::height(w));
}

} // namespace

class TestToolkit : public QObject
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
    void twips()
    {
        using namespace Twips;
        CHECK_FACTS(facts("70.5", roundHalfEven(70.5), "71.5", roundHalfEven(71.5), "-2.5",
                          roundHalfEven(-2.5), "40000.5", roundHalfEven(40000.5)),
                    "70.5=70 71.5=72 -2.5=-2 40000.5=40000");
        // The panel's title width and a title's left as the layout reads them back.
        CHECK_FACTS(facts("0.36*5070", readBack(0.36 * 5070), "left 69", readBack(69),
                          "pixels of 22.5", toPixels(22.5)),
                    "0.36*5070=1830 left 69=75 pixels of 22.5=2");
        QWidget w;
        setGeometry(&w, 69, 1825.2, 40000, -30);
        setFontPoints(&w, 15.75);
        CHECK_FACTS(facts("place", place(&w), "points", fontPoints(&w), "pixels",
                          w.font().pixelSize(), "smallest", pointsToPixels(0.1)),
                    "place=left=75 top=1830 width=40005 height=0 points=15.75 pixels=21 "
                    "smallest=1");
    }

    void textToNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        const std::pair<const char*, double> rows[] = {
            {"7", 7},       {"12", 12},  {"5x", 5},     {"x5", 0},       {"-", 0},
            {" 3", 3},      {"3.", 3},   {".5", 0.5},   {"-4", -4},      {"1 2\t3\n4", 1234},
            {"1.5E2", 150}, {"2d1", 20}, {"&HFF", 255}, {"&HFFFF", -1},  {"&hff", 255},
            {"&O17", 15},   {"&O78", 7}, {"", 0},       {"1.2.3", 1.2},  {"+8", 8},
            {"&H", 0},      {"1e", 1},   {"٣", 0},      {"99999", 99999}};
        for (auto [text, number] : rows)
            QTest::newRow(text) << QString(text) << number;
    }
    void textToNumber()
    {
        QFETCH(QString, text);
        QTEST(ValueText::textToNumber(text), "number");
    }

    void values()
    {
        using namespace ValueText;
        CHECK_FACTS(facts("3.7", floorToInt16(3.7), "-0.5", floorToInt16(-0.5), "1e9",
                          floorToInt16(1e9), "-1e9", floorToInt16(-1e9), "nan",
                          floorToInt16(qQNaN())),
                    "3.7=3 -0.5=-1 1e9=32767 -1e9=-32768 nan=0");
        QStringList booleans;
        for (const char* t : {"True", "fAlSe", " true ", "-1", "0", "2.5", "maybe", ""}) {
            const auto b = toBoolean(QString(t));
            booleans << (b ? Facts::shown(*b) : QStringLiteral("none"));
        }
        CHECK_FACTS(booleans.join(' '), "true false true true false true none none");
        CHECK_FACTS(facts("orange", BgrColor::toColor(33023).name(), "blue",
                          BgrColor::fromColor(QColor(0, 0, 255))),
                    "orange=#ff8000 blue=16711680");
    }

    void keyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        const int pad = Qt::KeypadModifier, shift = Qt::ShiftModifier;
        // clang-format off
        const std::tuple<const char*, int, int, int> rows[] = {
            {"F1", Qt::Key_F1, 0, 112},             {"Shift+F2", Qt::Key_F2, shift, 113},
            {"NumLock", Qt::Key_NumLock, 0, 144},   {"7", Qt::Key_7, 0, 55},
            {"keypad 7", Qt::Key_7, pad, 103},      {"keypad +", Qt::Key_Plus, pad, 107},
            {"keypad -", Qt::Key_Minus, pad, 109},  {"=", Qt::Key_Equal, 0, 187},
            {"-", Qt::Key_Minus, 0, 189},           {".", Qt::Key_Period, 0, 190},
            {"keypad .", Qt::Key_Period, pad, 110}, {"A", Qt::Key_A, 0, 65},
            {"Enter", Qt::Key_Return, 0, 13},       {"Shift+1", Qt::Key_Exclam, shift, 49},
            {"Space", Qt::Key_Space, 0, 32},        {"unknown", Qt::Key_Launch0, 0, 0}};
        // clang-format on
        for (auto [tag, key, modifiers, code] : rows)
            QTest::newRow(tag) << key << modifiers << code;
    }
    void keyCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QTEST(KeyCodes::virtualKey(&event), "code");
    }

    void stateBits()
    {
        CHECK_FACTS(facts("shift", KeyCodes::shiftBits(Qt::ShiftModifier), "all",
                          KeyCodes::shiftBits(Qt::ShiftModifier | Qt::ControlModifier |
                                              Qt::AltModifier | Qt::MetaModifier),
                          "left", KeyCodes::buttonBits(Qt::LeftButton), "right+middle",
                          KeyCodes::buttonBits(Qt::RightButton | Qt::MiddleButton)),
                    "shift=1 all=7 left=1 right+middle=6");
    }

    void propertyBag()
    {
        PropertyBag bag;
        bag.writeBool("PIsHomeTeam", true, true);
        const int homeStores = bag.size();
        bag.writeBool("PIsHomeTeam", false, true);
        const PropertyBag read = PropertyBag::fromText(
            bag.toText() + "\n' note\nA = 0\nB=\"fAlSe\"\nC=-1\nD=maybe\n=orphan\n");
        CHECK_FACTS(facts("home stores", homeStores, "visitor stores", bag.toText().trimmed(),
                          "read", read.readBool("PIsHomeTeam", true), "missing",
                          read.readBool("None", true), "A", read.readBool("A", true), "B",
                          read.readBool("B", true), "C", read.readBool("C", false), "D",
                          read.readBool("D", true), "entries", read.size()),
                    "home stores=0 visitor stores=PIsHomeTeam = False read=false missing=true "
                    "A=false B=false C=true D=true entries=5");
    }

    void fitPicture_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("fitted");
        // Into a 720 x 540 twip box; each pixel of a picture is 15 twips.
        QTest::newRow("wide: the width fills")
            << picture("w.png", 192, 96) << "left=0 top=90 width=720 height=360";
        QTest::newRow("tall: the height fills")
            << picture("t.png", 40, 80) << "left=225 top=0 width=270 height=540";
        QTest::newRow("same proportions")
            << picture("s.png", 96, 72) << "left=0 top=0 width=720 height=540";
        QTest::newRow("BMP stored top down")
            << file("td.bmp", bmp(4, -2)) << "left=0 top=90 width=720 height=360";
        QTest::newRow("empty path clears") << QString() << "none";
        QTest::newRow("not a picture") << file("notes.jpg", "Home team\n") << "none";
        QTest::newRow("BMP cut in its header") << file("cut.bmp", bmp(4, 4).left(30)) << "none";
        QTest::newRow("declares 2^31 pixels a side")
            << qEnvironmentVariable("TV_TEST_DATA") + "/robust/picture/huge-declared.png"
            << "none";
        QTest::newRow("BMP declaring 30000 x 30000")
            << file("huge.bmp", bmp(30000, 30000, 4096)) << "none";
    }
    void fitPicture()
    {
        QFETCH(QString, path);
        FilledBox box;
        Twips::setGeometry(&box, 0, 0, 720, 540);
        ImageControl img(&box);
        modStretch::FitPicture(&img, &box, picture("before.png", 10, 10));
        modStretch::FitPicture(&img, &box, path);
        QTEST(img.hasPicture() ? place(&img) : "none", "fitted");
        CHECK_FACTS(facts("stretch", img.stretch(), "visible", img.isVisibleTo(&box)),
                    "stretch=true visible=true");
    }

    // No file, or a folder, keeps the picture shown; a replaced file is read afresh.
    void fitPictureKeeps()
    {
        FilledBox box;
        Twips::setGeometry(&box, 0, 0, 720, 540);
        ImageControl img(&box);
        modStretch::FitPicture(&img, &box, m_dir.filePath("gone.png"));
        const bool first = img.hasPicture();
        const QString path = picture("logo.png", 30, 10, Qt::red);
        modStretch::FitPicture(&img, &box, path);
        modStretch::FitPicture(&img, &box, m_dir.filePath("gone.png"));
        modStretch::FitPicture(&img, &box, m_dir.path());
        const QString kept = img.picture().pixelColor(0, 0).name();
        picture("logo.png", 3000, 1000, Qt::green);
        modStretch::FitPicture(&img, &box, path);
        CHECK_FACTS(facts("fresh image, no file", first, "after missing and folder", kept,
                          "replaced", img.picture().pixelColor(0, 0).name()),
                    "fresh image, no file=false after missing and folder=#ff0000 "
                    "replaced=#00ff00");
    }

    // A photo of many megapixels shows, decoded small; its natural size is kept.
    void largePhoto()
    {
        const QString path = picture("photo.jpg", 6000, 4000, Qt::darkGreen);
        const ImageLoader::Picture shown = ImageLoader::loadForDisplay(path, 1024);
        const QImage beyond = ImageLoader::load(file("big.bmp", bmp(20001, 1, 80004)));
        CHECK_FACTS(facts("decoded", shown.image.size().width(), "natural",
                          shown.naturalSize.width(), "one side over 20000", beyond.isNull()),
                    "decoded=1024 natural=6000 one side over 20000=true");
    }
};

QTEST_MAIN(TestToolkit)
#include "test_toolkit.moc"
