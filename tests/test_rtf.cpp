#include "platform/RichTextBox.h"
#include "platform/RtfReader.h"
#include "platform/RtfTextDocument.h"
#include "platform/Twips.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

using namespace Rtf;

namespace {

QString dataPath(const QString& name)
{
    return qEnvironmentVariable("TV_TEST_DATA") + QStringLiteral("/rtf/") + name;
}

Document readFile(const QString& name)
{
    QFile file(dataPath(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test file %s", qPrintable(file.fileName()));
    return read(file.readAll());
}

const Run* findRun(const Document& doc, const QString& text)
{
    for (const Paragraph& paragraph : doc.paragraphs)
        for (const Run& run : paragraph.runs)
            if (run.text == text)
                return &run;
    return nullptr;
}

const Paragraph* findParagraph(const Document& doc, const QString& text)
{
    for (const Paragraph& paragraph : doc.paragraphs)
        if (paragraph.text() == text)
            return &paragraph;
    return nullptr;
}

// What every document must satisfy, whatever the input.
void checkWellFormed(const Document& doc)
{
    QVERIFY(!doc.paragraphs.isEmpty());
    for (const Paragraph& paragraph : doc.paragraphs) {
        QVERIFY(paragraph.format.tabStops.size() <= 64);
        for (const Run& run : paragraph.runs) {
            QVERIFY(!run.text.isEmpty());
            QVERIFY(run.text.isValidUtf16());
            for (QChar c : run.text)
                QVERIFY2(c == u'\t' || c.unicode() >= 0x20, "control character in text");
            QVERIFY(run.format.halfPoints >= 2 && run.format.halfPoints <= 3276);
        }
    }
}

QByteArray repeated(const QByteArray& piece, int times)
{
    return piece.repeated(times);
}

} // namespace

class TestRtf : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void characterFormats_data();
    void characterFormats();
    void paragraphFormats();
    void wordProcessorFiles_data();
    void wordProcessorFiles();
    void hiddenDestinations_data();
    void hiddenDestinations();
    void malformedInput_data();
    void malformedInput();
    void textDocument();
    void richTextBox();
};

void TestRtf::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("paragraphs") << QByteArray("{\\rtf1 one\\par two\\par}") << "one\ntwo";
    QTest::newRow("line ends in the file are not text")
        << QByteArray("{\\rtf1 one\r\ntwo\\\ntwo}") << "onetwo\ntwo";
    QTest::newRow("tab and line") << QByteArray("{\\rtf1 a\\tab b\\line c}")
                                  << QString("a\tb") + QChar(0x2028) + "c";
    QTest::newRow("space ends a control word") << QByteArray("{\\rtf1\\b  x}") << " x";
    QTest::newRow("escapes") << QByteArray("{\\rtf1 \\{\\}\\\\}") << "{}\\";
    QTest::newRow("cp1252 bytes") << QByteArray("{\\rtf1 caf\\'e9 \\'80\\'96\\'93}") << "café €–“";
    QTest::newRow("raw high bytes") << QByteArray("{\\rtf1 \x80\xe9}") << "€é";
    QTest::newRow("bad hex digits stay text") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb";
    QTest::newRow("one hex digit") << QByteArray("{\\rtf1 a\\'4}") << "a";
    QTest::newRow("unicode with fallback") << QByteArray("{\\rtf1 \\u8364?x}") << "€x";
    QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-4064?}") << QString(QChar(0xF020));
    QTest::newRow("uc0 skips nothing") << QByteArray("{\\rtf1\\uc0 \\u8364 x}") << "€x";
    QTest::newRow("uc2 skips two") << QByteArray("{\\rtf1\\uc2 \\u8212\\'97\\'97 y}") << "— y";
    QTest::newRow("uc is scoped to its group") << QByteArray("{\\rtf1{\\uc2 a}\\u8226?b}") << "a•b";
    QTest::newRow("skip stops at a brace") << QByteArray("{\\rtf1\\uc3 \\u8226{x}}") << "•x";
    QTest::newRow("surrogate pair")
        << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("lone high surrogate")
        << QByteArray("{\\rtf1 \\u-10179?x}") << QString(QChar(0xFFFD)) + "x";
    QTest::newRow("lone low surrogate")
        << QByteArray("{\\rtf1 \\u-8704?x}") << QString(QChar(0xFFFD)) + "x";
    QTest::newRow("unicode without number") << QByteArray("{\\rtf1 \\u x}") << "x";
    QTest::newRow("unicode zero dropped") << QByteArray("{\\rtf1 \\u0?x}") << "x";
    QTest::newRow("named characters")
        << QByteArray("{\\rtf1\\lquote\\rquote\\ldblquote\\rdblquote\\emdash\\endash\\bullet\\~}")
        << QString::fromUtf8("‘’“”—–•\u00a0");
    QTest::newRow("unknown words ignored")
        << QByteArray("{\\rtf1\\frobnicate42 x\\zz-3 y}") << "xy";
    QTest::newRow("hidden text") << QByteArray("{\\rtf1 a{\\v secret}b\\v c\\v0 d}") << "abd";
    QTest::newRow("binary data") << QByteArray("{\\rtf1 a{\\bin5 {}}\\}b}") << "ab";
    QTest::newRow("table cells") << QByteArray("{\\rtf1\\trowd\\cellx100 A\\cell B\\cell\\row x}")
                                 << "A\tB\t\nx";
    QTest::newRow("trailing paragraph mark") << QByteArray("{\\rtf1 a\\par }") << "a";
    QTest::newRow("plain text file") << QByteArray("just words") << "just words";
    QTest::newRow("empty") << QByteArray() << "";
}

void TestRtf::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    const Document doc = read(rtf);
    checkWellFormed(doc);
    QCOMPARE(doc.plainText(), expected);
}

void TestRtf::characterFormats_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("runText");
    QTest::addColumn<QString>("font");
    QTest::addColumn<int>("halfPoints");
    QTest::addColumn<QString>("flags"); // b i u s ^ _ for bold, italic, ... super, sub
    QTest::addColumn<qint64>("color");  // -1 none
    QTest::addColumn<qint64>("background");

    const QByteArray head = "{\\rtf1\\deff1{\\fonttbl{\\f0\\froman Times New Roman;}"
                            "{\\f1\\fswiss\\fcharset0 Arial;}{\\f2\\fmodern Courier New;}}"
                            "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}";
    auto rtf = [&](const char* body) { return head + body + "}"; };

    QTest::newRow("defaults") << rtf("x") << "x"
                              << "Arial" << 24 << "" << -1LL << -1LL;
    QTest::newRow("bold") << rtf("a\\b x\\b0 b") << "x"
                          << "Arial" << 24 << "b" << -1LL << -1LL;
    QTest::newRow("after bold off") << rtf("\\b a\\b0 x") << "x"
                                    << "Arial" << 24 << "" << -1LL << -1LL;
    QTest::newRow("italic underline strike") << rtf("\\i\\ul\\strike x") << "x"
                                             << "Arial" << 24 << "ius" << -1LL << -1LL;
    QTest::newRow("ulnone") << rtf("\\ul a\\ulnone x") << "x"
                            << "Arial" << 24 << "" << -1LL << -1LL;
    QTest::newRow("underline colour is not underline") << rtf("\\ulc1 x") << "x"
                                                       << "Arial" << 24 << "" << -1LL << -1LL;
    QTest::newRow("double underline") << rtf("\\uldb x") << "x"
                                      << "Arial" << 24 << "u" << -1LL << -1LL;
    QTest::newRow("font and size") << rtf("\\f2\\fs40 x") << "x"
                                   << "Courier New" << 40 << "" << -1LL << -1LL;
    QTest::newRow("unknown font") << rtf("\\f9 x") << "x"
                                  << "" << 24 << "" << -1LL << -1LL;
    QTest::newRow("colour") << rtf("\\cf1 x") << "x"
                            << "Arial" << 24 << "" << 0xFF0000LL << -1LL;
    QTest::newRow("auto colour") << rtf("\\cf1 a\\cf0 x") << "x"
                                 << "Arial" << 24 << "" << -1LL << -1LL;
    QTest::newRow("colour out of table") << rtf("\\cf99 x") << "x"
                                         << "Arial" << 24 << "" << -1LL << -1LL;
    QTest::newRow("highlight") << rtf("\\highlight2 x") << "x"
                               << "Arial" << 24 << "" << -1LL << 0x000080LL;
    QTest::newRow("group restores") << rtf("{\\b\\cf1\\fs30 a}x") << "x"
                                    << "Arial" << 24 << "" << -1LL << -1LL;
    QTest::newRow("plain resets") << rtf("\\b\\i\\f2\\fs30\\cf1 a\\plain x") << "x"
                                  << "Arial" << 24 << "" << -1LL << -1LL;
    QTest::newRow("huge size") << rtf("\\fs99999999999999999999 x") << "x"
                               << "Arial" << 3276 << "" << -1LL << -1LL;
    QTest::newRow("negative size") << rtf("\\fs-8 x") << "x"
                                   << "Arial" << 2 << "" << -1LL << -1LL;
    QTest::newRow("superscript") << rtf("\\super x") << "x"
                                 << "Arial" << 24 << "^" << -1LL << -1LL;
    QTest::newRow("raised") << rtf("\\up6 x") << "x"
                            << "Arial" << 24 << "^" << -1LL << -1LL;
    QTest::newRow("subscript") << rtf("\\dn4 x") << "x"
                               << "Arial" << 24 << "_" << -1LL << -1LL;
}

void TestRtf::characterFormats()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, runText);
    QFETCH(QString, font);
    QFETCH(int, halfPoints);
    QFETCH(QString, flags);
    QFETCH(qint64, color);
    QFETCH(qint64, background);

    const Document doc = read(rtf);
    checkWellFormed(doc);
    const Run* run = findRun(doc, runText);
    QVERIFY2(run, qPrintable(doc.plainText()));
    const CharFormat& f = run->format;
    QCOMPARE(f.fontName, font);
    QCOMPARE(f.halfPoints, halfPoints);
    QCOMPARE(f.bold, flags.contains(u'b'));
    QCOMPARE(f.italic, flags.contains(u'i'));
    QCOMPARE(f.underline, flags.contains(u'u'));
    QCOMPARE(f.strikeOut, flags.contains(u's'));
    QCOMPARE(f.position == VerticalPosition::Superscript, flags.contains(u'^'));
    QCOMPARE(f.position == VerticalPosition::Subscript, flags.contains(u'_'));
    QCOMPARE(f.color ? qint64(*f.color) : -1LL, color);
    QCOMPARE(f.background ? qint64(*f.background) : -1LL, background);
}

void TestRtf::paragraphFormats()
{
    QByteArray tabs;
    for (int i = 1; i <= 70; ++i)
        tabs += "\\tx" + QByteArray::number(i * 100);
    const Document doc =
        read("{\\rtf1\\deftab360\\qc\\li720\\ri100\\fi-360\\sb120\\sa240\\sl-300\\tx1440 one\\par"
             "\\pard\\qj\\li99999\\sl276\\slmult1 two\\par\\pard " +
             tabs + "{\\qr three}\\par\\pard four}");
    checkWellFormed(doc);
    QCOMPARE(doc.paragraphs.size(), 4);
    QCOMPARE(doc.defaultTabTwips, 360);

    const ParagraphFormat& one = doc.paragraphs[0].format;
    QCOMPARE(one.alignment, Alignment::Center);
    QCOMPARE(one.leftIndent, 720);
    QCOMPARE(one.rightIndent, 100);
    QCOMPARE(one.firstLineIndent, -360);
    QCOMPARE(one.spaceBefore, 120);
    QCOMPARE(one.spaceAfter, 240);
    QCOMPARE(one.lineSpacing, -300);
    QCOMPARE(one.tabStops, QList<int>{1440});

    const ParagraphFormat& two = doc.paragraphs[1].format;
    QCOMPARE(two.alignment, Alignment::Justify);
    QCOMPARE(two.leftIndent, 31680); // clamped
    QVERIFY(two.lineSpacingMultiple);
    QVERIFY(two.tabStops.isEmpty());

    // Paragraph properties hold at the paragraph mark, so a group that closed
    // before it no longer counts.
    QCOMPARE(doc.paragraphs[2].format.alignment, Alignment::Left);
    QCOMPARE(doc.paragraphs[2].format.tabStops.size(), 64);
    QCOMPARE(doc.paragraphs[3].format, ParagraphFormat{});
}

void TestRtf::wordProcessorFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("runText");
    QTest::addColumn<QString>("font");
    QTest::addColumn<int>("halfPoints");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<qint64>("color");

    const QString lo = QStringLiteral("libreoffice_basic.rtf");
    QTest::newRow("LibreOffice heading") << lo << "Season Report"
                                         << "Liberation Serif" << 48 << true << false << 0x1F4E79LL;
    QTest::newRow("LibreOffice bold") << lo << "bold words"
                                      << "Liberation Serif" << 24 << true << false << -1LL;
    QTest::newRow("LibreOffice underline") << lo << "underlined words"
                                           << "Liberation Serif" << 24 << false << true << -1LL;
    QTest::newRow("LibreOffice colour") << lo << "red text"
                                        << "Liberation Serif" << 24 << false << false << 0xC00000LL;
    QTest::newRow("LibreOffice size") << lo << "Centred and large"
                                      << "Liberation Serif" << 36 << false << false << -1LL;
    QTest::newRow("LibreOffice bullet")
        << lo << QString::fromUtf8("•\t") << "OpenSymbol" << 24 << false << false << -1LL;
    QTest::newRow("LibreOffice line break")
        << lo << QString("Monospaced line") + QChar(0x2028) + "after a line break"
        << "Courier New" << 24 << false << false << -1LL;
    const QString extras = QStringLiteral("libreoffice_extras.rtf");
    QTest::newRow("LibreOffice hyperlink")
        << extras << "the example site"
        << "Liberation Serif" << 24 << false << true << 0x000080LL;
    const QString word = QStringLiteral("word_style.rtf");
    QTest::newRow("Word heading") << word << "Club Notes"
                                  << "Calibri" << 32 << false << false << 0x1F3864LL;
    QTest::newRow("Word bold") << word << "membership card"
                               << "Times New Roman" << 22 << true << false << -1LL;
    QTest::newRow("Word field result") << word << "club rules"
                                       << "Times New Roman" << 22 << false << true << 0x0563C1LL;
    QTest::newRow("Word symbol bullet")
        << word << QString::fromUtf8("•\t") << "Symbol" << 22 << false << false << -1LL;
    QTest::newRow("Word tab and line") << word << QString("Score\t12") + QChar(0x2028) + "Fouls\t3"
                                       << "Courier New" << 20 << false << false << 0xFF0000LL;
}

void TestRtf::wordProcessorFiles()
{
    QFETCH(QString, file);
    QFETCH(QString, runText);
    QFETCH(QString, font);
    QFETCH(int, halfPoints);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    QFETCH(qint64, color);

    const Document doc = readFile(file);
    checkWellFormed(doc);
    const Run* run = findRun(doc, runText);
    QVERIFY2(run, qPrintable(doc.plainText()));
    QCOMPARE(run->format.fontName, font);
    QCOMPARE(run->format.halfPoints, halfPoints);
    QCOMPARE(run->format.bold, bold);
    QCOMPARE(run->format.underline, underline);
    QCOMPARE(run->format.color ? qint64(*run->format.color) : -1LL, color);
}

void TestRtf::hiddenDestinations_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("paragraph");
    QTest::addColumn<QStringList>("absent");

    QTest::newRow("LibreOffice") << "libreoffice_basic.rtf"
                                 << QString::fromUtf8("Right aligned: café – “quotes” € ✓ 日本")
                                 << QStringList{"Normal",
                                                "Heading",
                                                "Times New Roman",
                                                "LibreOffice",
                                                "Default Page Style",
                                                "Sample report"};
    QTest::newRow("LibreOffice picture and field")
        << "libreoffice_extras.rtf"
        << "Picture here:  after the picture."
        << QStringList{"HYPERLINK", "wzName", "89504e47", "0100090000"};
    QTest::newRow("LibreOffice emoji")
        << "libreoffice_extras.rtf" << QString::fromUtf8("Greek: αβγ, emoji: 😀, math: ∑.")
        << QStringList{};
    QTest::newRow("Word") << "word_style.rtf"
                          << QString::fromUtf8(
                                 "The café opens at 9\u00a0am. Bring your membership card and read "
                                 "the club rules.")
                          << QStringList{"Page header", "Footnote",  "Sam Doe",
                                         "Club notes",  "heading 1", "Default Paragraph Font",
                                         "504b0304",    "HYPERLINK", "Cambria",
                                         "Courier;"};
    QTest::newRow("Word skips fallbacks")
        << "word_style.rtf"
        << QString("Score\t12") + QChar(0x2028) + QString::fromUtf8("Fouls\t3€ — “done”")
        << QStringList{};
}

void TestRtf::hiddenDestinations()
{
    QFETCH(QString, file);
    QFETCH(QString, paragraph);
    QFETCH(QStringList, absent);

    const Document doc = readFile(file);
    QVERIFY2(findParagraph(doc, paragraph), qPrintable(doc.plainText()));
    const QString all = doc.plainText();
    for (const QString& text : absent)
        QVERIFY2(!all.contains(text), qPrintable(text));
}

void TestRtf::malformedInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("kept"); // text that must survive, if any

    const int deep = 100000;
    QTest::newRow("unclosed groups") << QByteArray("{\\rtf1 {\\b abc") << "abc";
    QTest::newRow("extra closing braces") << QByteArray("}}}{\\rtf1 abc}}}") << "abc";
    QTest::newRow("truncated in a word") << QByteArray("{\\rtf1 abc\\pa") << "abc";
    QTest::newRow("truncated after backslash") << QByteArray("{\\rtf1 abc\\") << "abc";
    QTest::newRow("truncated in a font table") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ari") << "";
    QTest::newRow("nested 100000 deep")
        << repeated("{", deep) + "deep" + repeated("}", deep) + "after"
        << "after";
    QTest::newRow("opened 100000 times") << repeated("{\\b ", deep) + "x"
                                         << "";
    QTest::newRow("deep group inside text")
        << "{\\rtf1 a" + repeated("{", 300) + repeated("}", 300) + "b}"
        << "ab";
    QTest::newRow("star beyond the depth limit")
        << repeated("{", 255) + "{\\*\\x}kept" + repeated("}", 255) << "kept";
    QTest::newRow("huge number") << QByteArray("{\\rtf1\\fs") + repeated("9", 5000) + " ok}"
                                 << "ok";
    QTest::newRow("huge negative") << QByteArray("{\\rtf1\\li-") + repeated("9", 50) + " ok}"
                                   << "ok";
    QTest::newRow("huge bin") << QByteArray("{\\rtf1 ok\\bin999999999999 gone}") << "ok";
    QTest::newRow("negative bin") << QByteArray("{\\rtf1 \\bin-5 ok}") << "ok";
    QTest::newRow("huge uc") << QByteArray("{\\rtf1\\uc2147483647\\u65 gone{ok}}") << "ok";
    QTest::newRow("bad unicode") << QByteArray("{\\rtf1 \\u99999999999999? \\u-99999999? ok}")
                                 << "ok";
    QTest::newRow("long control word") << QByteArray("{\\rtf1\\") + repeated("b", 100000) + " ok}"
                                       << "ok";
    QTest::newRow("nul bytes") << QByteArray("{\\rtf1 o\0k\\'00}", 14) << "ok";
    QTest::newRow("many paragraphs") << QByteArray("{\\rtf1 ") + repeated("\\par", deep) << "";
    QTest::newRow("many colours") << QByteArray("{\\rtf1{\\colortbl") + repeated(";", deep) + "}}"
                                  << "";
    QTest::newRow("many fonts") << QByteArray("{\\rtf1{\\fonttbl") +
                                       repeated("{\\f7 F;}", deep / 10) + "}\\f7 ok}"
                                << "ok";
    QTest::newRow("star everywhere") << repeated("{\\*", 1000) + repeated("}", 1000) + "ok"
                                     << "ok";

    QByteArray garbage(200000, '\0');
    QRandomGenerator random(1234);
    for (char& c : garbage)
        c = char(random.bounded(256));
    QTest::newRow("random bytes") << garbage << "";
    QByteArray rtfish;
    const QList<QByteArray> pieces = {"{",     "}",      "\\",        "\\u-10179",  "\\'", "\\bin",
                                      "\\uc9", "\\par",  "\\fonttbl", "\\colortbl", ";",   "\\*",
                                      "\\f",   "\\fs",   "x",         "9",          "-",   " ",
                                      "\\tab", "\\pard", "\\plain",   "\\tx"};
    for (int i = 0; i < 50000; ++i)
        rtfish += pieces[random.bounded(int(pieces.size()))];
    QTest::newRow("random rtf pieces") << rtfish << "";
}

void TestRtf::malformedInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, kept);
    const Document doc = read(rtf);
    checkWellFormed(doc);
    QVERIFY2(doc.plainText().contains(kept), qPrintable(doc.plainText().left(200)));
}

void TestRtf::textDocument()
{
    const Document rtf = read("{\\rtf1\\deftab720{\\fonttbl{\\f0\\fswiss Arial;}}"
                              "{\\colortbl;\\red0\\green0\\blue255;}"
                              "\\qc\\sb150\\sa300 {\\b\\fs40\\cf1 Title}\\par\\pard"
                              "\\li720\\fi-360\\tx720 \\bullet\\tab item\\line more\\par\\pard\\par"
                              "\\qr{\\i end}}");
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("old text"));
    fillTextDocument(&doc, rtf);

    QCOMPARE(doc.blockCount(), 4);
    QCOMPARE(doc.toPlainText(), QString::fromUtf8("Title\n•\titem\nmore\n\nend"));
    QCOMPARE(doc.defaultTextOption().tabStopDistance(), 48.0);

    const QTextBlock title = doc.firstBlock();
    QCOMPARE(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(title.blockFormat().topMargin(), 10.0);
    QCOMPARE(title.blockFormat().bottomMargin(), 20.0);
    const QTextCharFormat titleChars = title.begin().fragment().charFormat();
    QCOMPARE(titleChars.fontWeight(), int(QFont::Bold));
    QCOMPARE(titleChars.font().pixelSize(), Twips::pointsToPixels(20));
    QCOMPARE(titleChars.fontFamilies().toStringList(), QStringList{"Arial"});
    QCOMPARE(titleChars.foreground().color(), QColor(0, 0, 255));

    const QTextBlock item = title.next();
    QCOMPARE(item.text(), QString::fromUtf8("•\titem") + QChar(0x2028) + "more");
    QCOMPARE(item.blockFormat().leftMargin(), 48.0);
    QCOMPARE(item.blockFormat().textIndent(), -24.0);
    // The tab of a hanging indent lands on the left indent.
    doc.setTextWidth(600);
    doc.documentLayout()->documentSize();
    QCOMPARE(item.layout()->lineAt(0).cursorToX(2), 48.0);
    QVERIFY(!item.begin().fragment().charFormat().foreground().style()); // viewer's colour

    const QTextBlock end = doc.lastBlock();
    QVERIFY(end.blockFormat().alignment() & Qt::AlignRight);
    QVERIFY(end.begin().fragment().charFormat().fontItalic());
    QVERIFY(!doc.isUndoAvailable());
}

void TestRtf::richTextBox()
{
    RichTextBox box;
    QVERIFY(box.isReadOnly());
    QCOMPARE(box.palette().color(QPalette::Base), QColor(Qt::white));

    QVERIFY(!box.loadRtfFile(dataPath("no_such_file.rtf")));
    QTemporaryFile huge;
    QVERIFY(huge.open());
    huge.write(QByteArray(1024 * 1024 + 1, 'x'));
    huge.close();
    QVERIFY(!box.loadRtfFile(huge.fileName()));
    QVERIFY(box.loadRtfFile(dataPath("word_style.rtf")));
    QVERIFY(box.toPlainText().startsWith("Club Notes\n"));

    box.setWrapWidthTwips(3000);
    QCOMPARE(box.lineWrapMode(), QTextEdit::FixedPixelWidth);
    QCOMPARE(box.lineWrapColumnOrWidth(), 200);
    QCOMPARE(box.property("wrapWidthTwips").toDouble(), 3000.0);
    box.setWrapWidthTwips(-5);
    QCOMPARE(box.lineWrapMode(), QTextEdit::WidgetWidth);
}

QTEST_MAIN(TestRtf)
#include "test_rtf.moc"
