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

QByteArray dataFile(const QString& name)
{
    QFile file(dataPath(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test file %s", qPrintable(file.fileName()));
    return file.readAll();
}

const Run* findRun(const Document& doc, const QString& text)
{
    for (const Paragraph& paragraph : doc.paragraphs)
        for (const Run& run : paragraph.runs)
            if (run.text == text)
                return &run;
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

} // namespace

class TestRtf : public QObject
{
    Q_OBJECT

private slots:
    void text_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("whole"); // else only text that must survive, if any
        auto add = [](const char* tag, const QByteArray& rtf, const QString& expected) {
            QTest::newRow(tag) << rtf << expected << true;
        };
        auto survives = [](const char* tag, const QByteArray& rtf, const char* kept = "") {
            QTest::newRow(tag) << rtf << QString(kept) << false;
        };
        add("paragraphs", "{\\rtf1 one\\par two\\par}", "one\ntwo");
        add("line ends in the file are not text", "{\\rtf1 one\r\ntwo\\\ntwo}", "onetwo\ntwo");
        add("tab and line", "{\\rtf1 a\\tab b\\line c}", QString("a\tb") + QChar(0x2028) + "c");
        add("space ends a control word", "{\\rtf1\\b  x}", " x");
        add("escapes", "{\\rtf1 \\{\\}\\\\}", "{}\\");
        add("cp1252 bytes", "{\\rtf1 caf\\'e9 \\'80\\'96\\'93}", "café €–“");
        add("raw high bytes", "{\\rtf1 \x80\xe9}", "€é");
        add("bad hex digits stay text", "{\\rtf1 a\\'zzb}", "azzb");
        add("one hex digit", "{\\rtf1 a\\'4}", "a");
        add("unicode with fallback", "{\\rtf1 \\u8364?x}", "€x");
        add("negative unicode", "{\\rtf1 \\u-4064?}", QString(QChar(0xF020)));
        add("uc0 skips nothing", "{\\rtf1\\uc0 \\u8364 x}", "€x");
        add("uc2 skips two", "{\\rtf1\\uc2 \\u8212\\'97\\'97 y}", "— y");
        add("uc is scoped to its group", "{\\rtf1{\\uc2 a}\\u8226?b}", "a•b");
        add("skip stops at a brace", "{\\rtf1\\uc3 \\u8226{x}}", "•x");
        add("surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}",
            QString::fromUtf8("\xF0\x9F\x98\x80"));
        add("lone high surrogate", "{\\rtf1 \\u-10179?x}", QString(QChar(0xFFFD)) + "x");
        add("lone low surrogate", "{\\rtf1 \\u-8704?x}", QString(QChar(0xFFFD)) + "x");
        add("unicode without number", "{\\rtf1 \\u x}", "x");
        add("unicode zero dropped", "{\\rtf1 \\u0?x}", "x");
        add("named characters",
            "{\\rtf1\\lquote\\rquote\\ldblquote\\rdblquote\\emdash\\endash\\bullet\\~}",
            QString::fromUtf8("‘’“”—–•\u00a0"));
        add("unknown words ignored", "{\\rtf1\\frobnicate42 x\\zz-3 y}", "xy");
        add("hidden text", "{\\rtf1 a{\\v secret}b\\v c\\v0 d}", "abd");
        add("binary data", "{\\rtf1 a{\\bin5 {}}\\}b}", "ab");
        add("table cells", "{\\rtf1\\trowd\\cellx100 A\\cell B\\cell\\row x}", "A\tB\t\nx");
        add("trailing paragraph mark", "{\\rtf1 a\\par }", "a");
        add("plain text file", "just words", "just words");
        add("empty", QByteArray(), "");

        // Broken, hostile or random input.
        const int deep = 100000;
        const QByteArray open = "{", close = "}", nines = "9";
        survives("unclosed groups", "{\\rtf1 {\\b abc", "abc");
        survives("extra closing braces", "}}}{\\rtf1 abc}}}", "abc");
        survives("truncated in a word", "{\\rtf1 abc\\pa", "abc");
        survives("truncated after backslash", "{\\rtf1 abc\\", "abc");
        survives("truncated in a font table", "{\\rtf1{\\fonttbl{\\f0 Ari");
        survives("nested 100000 deep",
                 open.repeated(deep) + "deep" + close.repeated(deep) + "after", "after");
        survives("opened 100000 times", QByteArray("{\\b ").repeated(deep) + "x");
        survives("deep group inside text",
                 "{\\rtf1 a" + open.repeated(300) + close.repeated(300) + "b}", "ab");
        survives("star beyond the depth limit",
                 open.repeated(255) + "{\\*\\x}kept" + close.repeated(255), "kept");
        survives("huge number", "{\\rtf1\\fs" + nines.repeated(5000) + " ok}", "ok");
        survives("huge negative", "{\\rtf1\\li-" + nines.repeated(50) + " ok}", "ok");
        survives("huge bin", "{\\rtf1 ok\\bin999999999999 gone}", "ok");
        survives("negative bin", "{\\rtf1 \\bin-5 ok}", "ok");
        survives("huge uc", "{\\rtf1\\uc2147483647\\u65 gone{ok}}", "ok");
        survives("bad unicode", "{\\rtf1 \\u99999999999999? \\u-99999999? ok}", "ok");
        survives("long control word", "{\\rtf1\\" + QByteArray(100000, 'b') + " ok}", "ok");
        survives("nul bytes", QByteArray("{\\rtf1 o\0k\\'00}", 14), "ok");
        survives("many paragraphs", "{\\rtf1 " + QByteArray("\\par").repeated(deep));
        survives("many colours", "{\\rtf1{\\colortbl" + QByteArray(deep, ';') + "}}");
        survives("many fonts",
                 "{\\rtf1{\\fonttbl" + QByteArray("{\\f7 F;}").repeated(deep / 10) + "}\\f7 ok}",
                 "ok");
        survives("star everywhere", QByteArray("{\\*").repeated(1000) + close.repeated(1000) + "ok",
                 "ok");

        QByteArray garbage(200000, '\0');
        QRandomGenerator random(1234);
        for (char& c : garbage)
            c = char(random.bounded(256));
        survives("random bytes", garbage);
        const QList<QByteArray> pieces = {
            "{",         "}",          "\\",    "\\u-10179", "\\'",     "\\bin", "\\uc9", "\\par",
            "\\fonttbl", "\\colortbl", ";",     "\\*",       "\\f",     "\\fs",  "x",     "9",
            "-",         " ",          "\\tab", "\\pard",    "\\plain", "\\tx"};
        QByteArray rtfish;
        for (int i = 0; i < 50000; ++i)
            rtfish += pieces[random.bounded(int(pieces.size()))];
        survives("random rtf pieces", rtfish);
    }

    void text()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QFETCH(bool, whole);
        const Document doc = read(rtf);
        checkWellFormed(doc);
        const QString text = doc.plainText();
        if (whole)
            QCOMPARE(text, expected);
        else
            QVERIFY2(text.contains(expected), qPrintable(text.left(200)));
    }

    void characterFormats_data()
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
        auto add = [&](const char* tag, const char* body, const char* flags = "", qint64 color = -1,
                       qint64 background = -1, int halfPoints = 24, const char* font = "Arial") {
            QTest::newRow(tag) << head + body + "}"
                               << "x" << font << halfPoints << flags << color << background;
        };
        add("defaults", "x");
        add("bold", "a\\b x\\b0 b", "b");
        add("after bold off", "\\b a\\b0 x");
        add("italic underline strike", "\\i\\ul\\strike x", "ius");
        add("ulnone", "\\ul a\\ulnone x");
        add("underline colour is not underline", "\\ulc1 x");
        add("double underline", "\\uldb x", "u");
        add("font and size", "\\f2\\fs40 x", "", -1, -1, 40, "Courier New");
        add("unknown font", "\\f9 x", "", -1, -1, 24, "");
        add("colour", "\\cf1 x", "", 0xFF0000);
        add("auto colour", "\\cf1 a\\cf0 x");
        add("colour out of table", "\\cf99 x");
        add("highlight", "\\highlight2 x", "", -1, 0x000080);
        add("group restores", "{\\b\\cf1\\fs30 a}x");
        add("plain resets", "\\b\\i\\f2\\fs30\\cf1 a\\plain x");
        add("huge size", "\\fs99999999999999999999 x", "", -1, -1, 3276);
        add("negative size", "\\fs-8 x", "", -1, -1, 2);
        add("superscript", "\\super x", "^");
        add("raised", "\\up6 x", "^");
        add("subscript", "\\dn4 x", "_");

        // Runs from files saved by word processors.
        auto saved = [](const char* tag, const char* file, const QString& text, const char* font,
                        int halfPoints, const char* flags, qint64 color) {
            QTest::newRow(tag) << dataFile(file) << text << font << halfPoints << flags << color
                               << -1LL;
        };
        const char* lo = "libreoffice_basic.rtf";
        const char* word = "word_style.rtf";
        const QChar line(0x2028);
        saved("LibreOffice heading", lo, "Season Report", "Liberation Serif", 48, "b", 0x1F4E79);
        saved("LibreOffice bold", lo, "bold words", "Liberation Serif", 24, "b", -1);
        saved("LibreOffice underline", lo, "underlined words", "Liberation Serif", 24, "u", -1);
        saved("LibreOffice colour", lo, "red text", "Liberation Serif", 24, "", 0xC00000);
        saved("LibreOffice size", lo, "Centred and large", "Liberation Serif", 36, "", -1);
        saved("LibreOffice bullet", lo, QString::fromUtf8("•\t"), "OpenSymbol", 24, "", -1);
        saved("LibreOffice line break", lo,
              QString("Monospaced line") + line + "after a line break", "Courier New", 24, "", -1);
        saved("LibreOffice hyperlink", "libreoffice_extras.rtf", "the example site",
              "Liberation Serif", 24, "u", 0x000080);
        saved("Word heading", word, "Club Notes", "Calibri", 32, "", 0x1F3864);
        saved("Word bold", word, "membership card", "Times New Roman", 22, "b", -1);
        saved("Word field result", word, "club rules", "Times New Roman", 22, "u", 0x0563C1);
        saved("Word symbol bullet", word, QString::fromUtf8("•\t"), "Symbol", 22, "", -1);
        saved("Word tab and line", word, QString("Score\t12") + line + "Fouls\t3", "Courier New",
              20, "", 0xFF0000);
    }

    void characterFormats()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, runText);
        QFETCH(QString, flags);

        const Document doc = read(rtf);
        checkWellFormed(doc);
        const Run* run = findRun(doc, runText);
        QVERIFY2(run, qPrintable(doc.plainText()));
        const CharFormat& f = run->format;
        QTEST(f.fontName, "font");
        QTEST(f.halfPoints, "halfPoints");
        QCOMPARE(f.bold, flags.contains(u'b'));
        QCOMPARE(f.italic, flags.contains(u'i'));
        QCOMPARE(f.underline, flags.contains(u'u'));
        QCOMPARE(f.strikeOut, flags.contains(u's'));
        QCOMPARE(f.position == VerticalPosition::Superscript, flags.contains(u'^'));
        QCOMPARE(f.position == VerticalPosition::Subscript, flags.contains(u'_'));
        QTEST(f.color ? qint64(*f.color) : -1LL, "color");
        QTEST(f.background ? qint64(*f.background) : -1LL, "background");
    }

    void paragraphFormats()
    {
        QByteArray tabs;
        for (int i = 1; i <= 70; ++i)
            tabs += "\\tx" + QByteArray::number(i * 100);
        const Document doc = read(
            "{\\rtf1\\deftab360\\qc\\li720\\ri100\\fi-360\\sb120\\sa240\\sl-300\\tx1440 one\\par"
            "\\pard\\qj\\li99999\\sl276\\slmult1 two\\par\\pard " +
            tabs + "{\\qr three}\\par\\pard four}");
        checkWellFormed(doc);
        QCOMPARE(doc.paragraphs.size(), 4);
        QCOMPARE(doc.defaultTabTwips, 360);

        const ParagraphFormat one{.alignment = Alignment::Center,
                                  .leftIndent = 720,
                                  .rightIndent = 100,
                                  .firstLineIndent = -360,
                                  .spaceBefore = 120,
                                  .spaceAfter = 240,
                                  .lineSpacing = -300,
                                  .tabStops = {1440}};
        QCOMPARE(doc.paragraphs[0].format, one);

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

    void hiddenDestinations_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("paragraph");
        QTest::addColumn<QStringList>("absent");
        auto add = [](const char* tag, const char* file, const QString& paragraph,
                      const QStringList& absent = {}) {
            QTest::newRow(tag) << file << paragraph << absent;
        };
        add("LibreOffice", "libreoffice_basic.rtf",
            QString::fromUtf8("Right aligned: café – “quotes” € ✓ 日本"),
            {"Normal", "Heading", "Times New Roman", "LibreOffice", "Default Page Style",
             "Sample report"});
        add("LibreOffice picture and field", "libreoffice_extras.rtf",
            "Picture here:  after the picture.", {"HYPERLINK", "wzName", "89504e47", "0100090000"});
        add("LibreOffice emoji", "libreoffice_extras.rtf",
            QString::fromUtf8("Greek: αβγ, emoji: 😀, math: ∑."));
        add("Word", "word_style.rtf",
            QString::fromUtf8(
                "The café opens at 9\u00a0am. Bring your membership card and read the "
                "club rules."),
            {"Page header", "Footnote", "Sam Doe", "Club notes", "heading 1",
             "Default Paragraph Font", "504b0304", "HYPERLINK", "Cambria", "Courier;"});
        add("Word skips fallbacks", "word_style.rtf",
            QString("Score\t12") + QChar(0x2028) + QString::fromUtf8("Fouls\t3€ — “done”"));
    }

    void hiddenDestinations()
    {
        QFETCH(QString, file);
        QFETCH(QString, paragraph);
        QFETCH(QStringList, absent);

        const Document doc = read(dataFile(file));
        const QString all = doc.plainText();
        QVERIFY2(std::any_of(doc.paragraphs.begin(), doc.paragraphs.end(),
                             [&](const Paragraph& p) { return p.text() == paragraph; }),
                 qPrintable(all));
        for (const QString& text : absent)
            QVERIFY2(!all.contains(text), qPrintable(text));
    }

    void textDocument()
    {
        const Document rtf =
            read("{\\rtf1\\deftab720{\\fonttbl{\\f0\\fswiss Arial;}}"
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

    void richTextBox()
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
};

QTEST_MAIN(TestRtf)
#include "test_rtf.moc"
