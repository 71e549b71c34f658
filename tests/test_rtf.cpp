// The RTF reader as the help viewer shows a document: its text, its pictures at
// their shown size in pixels, its tables, and the limits that keep any file cheap.
#include "rtf/Reader.h"
#include "rtf/TextDocument.h"
#include "support/Facts.h"

#include <QFileInfo>
#include <QImage>
#include <QTextDocument>
#include <QTextTable>

using Facts::facts;

namespace {

QByteArray dataFile(const QString& name)
{
    QFile file(qEnvironmentVariable("TV_TEST_DATA") + QStringLiteral("/rtf/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A document as the help window shows it.
struct Shown
{
    QTextDocument doc;
    explicit Shown(const QByteArray& rtf) { Rtf::fillTextDocument(&doc, Rtf::read(rtf)); }

    // Each picture as "width x height" in pixels, "of" the size it was decoded at
    // where that differs, "frame" where it cannot be decoded.
    QString pictures()
    {
        QStringList found;
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextImageFormat f = it.fragment().charFormat().toImageFormat();
                const QImage image =
                    doc.resource(QTextDocument::ImageResource, f.name()).value<QImage>();
                const QString size = QString::asprintf("%gx%g", f.width(), f.height());
                const QString of =
                    image.width() < 2 ? " frame" : " of " + Facts::shown(image.size());
                if (f.isValid())
                    found << size + (of == " of " + size ? "" : of);
            }
        return found.join("; ");
    }

    // Each table as "rows x columns", its first column's width in pixels,
    // whether its first cell has a top border and each merged cell as "row,
    // column=rows x columns"; a nested one follows its outer one, marked ">".
    QString tables(const QTextFrame* frame = nullptr, const QString& depth = {})
    {
        QStringList found;
        for (const QTextFrame* child : (frame ? frame : doc.rootFrame())->childFrames()) {
            const auto* t = qobject_cast<const QTextTable*>(child);
            const qreal width = t->format().columnWidthConstraints().value(0).rawValue();
            const bool border = t->cellAt(0, 0).format().toTableCellFormat().topBorder() > 0;
            found << depth + QString::asprintf("%dx%d %g%s", t->rows(), t->columns(), width,
                                               border ? " border" : "");
            for (int r = 0; r < t->rows(); ++r)
                for (int c = 0; c < t->columns(); ++c)
                    if (const QTextTableCell cell = t->cellAt(r, c);
                        cell.row() == r && cell.column() == c &&
                        cell.rowSpan() * cell.columnSpan() > 1)
                        found.last() += QString::asprintf(" %d,%d=%dx%d", r, c, cell.rowSpan(),
                                                          cell.columnSpan());
            found << tables(child, depth + ">");
        }
        found.removeAll(QString());
        return found.join("; ");
    }
};

} // namespace

class TestRtf : public QObject
{
    Q_OBJECT

private slots:
    // Files as word processors write them; each name.rtf shows the text of name.txt.
    void files_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("seen");
        auto row = [](const char* name, const char* seen) {
            QTest::newRow(name) << QString(name) << QString(seen);
        };
        for (auto name :
             {"cyrillic", "greek", "japanese", "mixed", "symbol", "hidden", "word_style"})
            row(name, "pictures= tables=");
        row("pictures", "pictures=40x30; 16x12; 8x4; 96x48 frame tables=");
        row("shppict", "pictures=20x10 tables=");
        row("libreoffice_extras", "pictures=16x16 of 4x4 tables=");
        row("table", "pictures= tables=2x2 192 border");
        row("nested_table", "pictures= tables=1x2 295.2; >2x2 100");
        row("libreoffice_basic", "pictures= tables=2x2 46.0667 border");
        // Pictures of 5 x 3 pixels as their size words make them.
        row("picture_sizes", "pictures=5x3; 40x30 of 5x3; 60x30 of 5x3; 20x60 of 5x3; 10x3 of 5x3; "
                             "100x1 of 5x3; 2112x2112 of 5x3; 96x48 frame tables=");
        // Written by LibreOffice: a schedule with spanning headers and days, and
        // footnotes, which follow the text. Merges word processors write
        // otherwise, and spans that cannot be.
        row("schedule", "pictures= tables=7x4 66.3333 border 0,0=2x1 0,1=2x1 0,2=1x2 2,0=3x1 "
                        "3,2=1x2 5,0=2x1 6,2=1x2");
        row("footnotes", "pictures= tables=");
        row("merges", "pictures= tables=2x4 100 border 0,0=1x3; 2x3 66.6667 0,2=2x1 1,0=1x2; "
                      "2x3 66.6667 0,1=1x2 1,0=1x2");
        // The operator's guide, as shipped.
        row("../../../resources/tallyvanehelpfile",
            "pictures=528x412; 403x413 tables=5x3 84.5333 border");
    }
    void files()
    {
        QFETCH(QString, name);
        Shown shown(dataFile(name + ".rtf"));
        QCOMPARE(shown.doc.toPlainText(), QString(dataFile(QFileInfo(name).fileName() + ".txt")));
        QTEST(facts("pictures", shown.pictures(), "tables", shown.tables()), "seen");
    }

    void text_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        auto row = [](const char* tag, const QByteArray& rtf, const char* text) {
            QTest::newRow(tag) << rtf << QString::fromUtf8(text);
        };
        row("escapes, line ends", "one\r\ntwo\\par\\{\\}\\\\\\tab x\\line y", "onetwo\n{}\\\tx\ny");
        row("plain text file", "just words", "just words");
        row("trailing paragraph mark", "{\\rtf1 a\\par }", "a");
        row("unclosed groups", "{\\rtf1 {\\b abc", "abc");
        row("unbalanced", "{\\rtf1 {\\b x}}} y}}{{ z", "x y z");
        // Bytes in the code page of the font's \cpg, else of its \fcharset,
        // else of the document, else 1252.
        row("1252 when none is named", "caf\\'e9 \\'80\\'96\\'81\\'93\x80", "café €–“€");
        row("\\ansicpg1251", "\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8", "При");
        row("\\pc is page 437, \\mac", "\\pc \\'82\\'9c{\\mac \\'8e}", "é£é");
        row("\\fcharset161", "{\\fonttbl{\\f1\\fcharset161 B;}}\\f1 \\'c1\\f0 \\'e9", "Αé");
        row("\\cpg over \\fcharset", "{\\fonttbl{\\f1\\fcharset161\\cpg1251 C;}}\\f1 \\'c0", "А");
        row("\\deff font's \\fcharset204", "\\deff1{\\fonttbl{\\f1\\fcharset204 D;}}\\'c0", "А");
        row("cut in a double-byte pair", "\\ansicpg932 \\'82\\'a0\\'82", "あ");
        row("\\uN, \\ucN", "\\uc2 \\u8212\\'97\\'97 y{\\uc0 \\u8364 x}{\\uc1\\u-10179?\\u-8704?}",
            "— y€x😀");
        row("\\ucN skips letters", "{\\uc3\\u8364 abcd}{\\uc5\\u8364 ab}c\\u8364 de", "€d€c€e");
        row("lone surrogate", "\\u-10179?x", "\uFFFDx");
        row("hidden text", "a \\v b\\u8364?\\tab\\par\\v0 c", "a c");
        row("unknown destinations", "\\frob42 x{\\*\\unknown y{\\b w}}{\\*\\shppict z}", "xz");
        row("not text", "{\\info{\\title T}}{\\stylesheet S;}{\\header H}{\\footer F}x", "x");
        row("footnotes", "a\\chftn{\\footnote\\chftn  n}b{\\footnote * m}", "a1b\n1 n\n* m");
        row("\\ftnstart, in a cell", "\\ftnstart3\\intbl a\\chftn{\\footnote\\chftn  n}\\cell\\row",
            "\na3\n3 n");
        row("hidden, unclosed footnotes", "{\\v{\\footnote n}}b\\chftn{\\footnote\\chftn  m",
            "b1\n1 m");
        row("binary data", "{\\rtf1 a{\\bin5 {}}\\}b}", "ab");
        row("huge numbers", "\\fs99999999999999 a\\bin999999999999 gone", "a");
        row("255 groups deep", QByteArray(255, '{') + "in{out}" + QByteArray(255, '}'), "in");
        row("100000 deep", QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "y", "y");
    }
    void text()
    {
        QFETCH(QByteArray, rtf);
        QTEST(Shown(rtf).doc.toPlainText(), "text");
    }

    // A footnote's mark stays in the text, raised as word processors write it.
    void footnoteMark()
    {
        Shown shown("a{\\super\\chftn{\\footnote n}}");
        const QTextCharFormat mark = (++shown.doc.begin().begin()).fragment().charFormat();
        QCOMPARE(mark.verticalAlignment(), QTextCharFormat::AlignSuperScript);
    }

    // Lengths stop at 22 inches (2112 pixels), font sizes at 1638 points; a row
    // has at most 63 cells, the last taking the text of those beyond, a
    // document at most 4096 tables, and tables nest at most 16 deep.
    void limits()
    {
        Shown lengths("\\li99999\\fs99999 a\\par\\pard\\trowd\\cellx99999\\intbl b\\cell\\row");
        Shown row("\\trowd" + QByteArray("\\cellx100").repeated(64) + "\\intbl" +
                  QByteArray(" x\\cell").repeated(64) + "\\row");
        const Rtf::Document many =
            Rtf::read(QByteArray("\\pard\\intbl t\\cell\\row\\pard p\\par").repeated(4097));
        CHECK_FACTS(facts("indent", lengths.doc.begin().blockFormat().leftMargin(), "font",
                          lengths.doc.begin().charFormat().property(QTextFormat::FontPixelSize),
                          "column", lengths.tables(), "row", row.tables(), "its text",
                          row.doc.toPlainText().count('x'), "tables",
                          std::count_if(many.blocks.begin(), many.blocks.end(),
                                        [](auto& b) { return b.content.index() == 1; }),
                          "nested", Shown("\\itap20 x\\par").tables().count(';') + 1),
                    "indent=2112 font=2184 column=1x1 2112 row=1x63 6.66667 its text=64 "
                    "tables=4096 nested=16");
    }
};

QTEST_MAIN(TestRtf)
#include "test_rtf.moc"
