// The RTF reader as the help viewer shows a document: each case compares the
// text, the pictures and the tables of the QTextDocument it fills.
#include "rtf/Reader.h"
#include "rtf/TextDocument.h"

#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

QByteArray dataFile(const QString& name)
{
    QFile file(qEnvironmentVariable("TV_TEST_DATA") + QStringLiteral("/rtf/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test file %s", qPrintable(file.fileName()));
    return file.readAll();
}

// Each picture as "width x height" shown, "frame" where it cannot be decoded.
QStringList pictures(QTextDocument& doc)
{
    QStringList found;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextImageFormat f = it.fragment().charFormat().toImageFormat();
            const QImage image =
                doc.resource(QTextDocument::ImageResource, f.name()).value<QImage>();
            if (f.isValid())
                found << QString("%1x%2").arg(f.width()).arg(f.height()) +
                             (image.width() > 1 ? "" : " frame");
        }
    return found;
}

// Each table as "rows x columns", the first column's width and whether its
// first cell has a top border; a nested one after its outer one with ">".
void tables(const QTextFrame* frame, QStringList& found, const QString& depth = {})
{
    for (const QTextFrame* child : frame->childFrames()) {
        const auto* t = qobject_cast<const QTextTable*>(child);
        const qreal width = t->format().columnWidthConstraints().value(0).rawValue();
        const bool border = t->cellAt(0, 0).format().toTableCellFormat().topBorder() > 0;
        found << depth + QString("%1x%2 %3").arg(t->rows()).arg(t->columns()).arg(width) +
                     (border ? " border" : "");
        tables(child, found, depth + ">");
    }
}

} // namespace

class TestRtf : public QObject
{
    Q_OBJECT

private slots:
    void documents_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("pictures");
        QTest::addColumn<QStringList>("tables");
        // Each file name.rtf with the text it shows in name.txt.
        auto file = [](const QString& name, const QStringList& pictures = {},
                       const QStringList& tables = {}) {
            QTest::newRow(qPrintable(name))
                << dataFile(name + ".rtf") << QString::fromUtf8(dataFile(name + ".txt")) << pictures
                << tables;
        };
        auto add = [](const char* tag, const QByteArray& rtf, const char* text) {
            QTest::newRow(tag) << rtf << QString::fromUtf8(text) << QStringList() << QStringList();
        };
        file("cyrillic");
        file("greek");
        file("japanese");
        file("mixed");
        file("pictures", {"40x30", "16x12", "8x4", "96x48 frame"});
        file("shppict", {"20x10"});
        file("table", {}, {"2x2 192 border"});
        file("nested_table", {}, {"1x2 295.2", ">2x2 100"});
        file("hidden");
        file("symbol");
        file("word_style");
        file("libreoffice_basic", {}, {"2x2 46.0667 border"});
        file("libreoffice_extras", {"16x16"});

        add("escapes and line ends", "{\\rtf1 one\r\ntwo\\par\\{\\}\\\\\\tab x\\line y}",
            "onetwo\n{}\\\tx\ny");
        add("cp1252 bytes", "{\\rtf1 caf\\'e9 \\'80\\'96\\'81\\'93\x80}", "café €–“€");
        add("unicode fallbacks",
            "{\\rtf1\\uc2 \\u8212\\'97\\'97 y{\\uc0 \\u8364 x}{\\uc1\\u-10179?\\u-8704?}}",
            "— y€x😀");
        add("lone surrogate", "{\\rtf1 \\u-10179?x}", "\uFFFDx");
        add("binary data", "{\\rtf1 a{\\bin5 {}}\\}b}", "ab");
        add("unknown words and destinations", "{\\rtf1\\frob42 x{\\*\\unknown y}{\\*\\shppict z}}",
            "xz");
        add("trailing paragraph mark", "{\\rtf1 a\\par }", "a");
        add("plain text file", "just words", "just words");
        add("unclosed groups", "{\\rtf1 {\\b abc", "abc");
        add("nested 100000 deep",
            QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "after", "after");
        add("huge numbers", "{\\rtf1\\fs99999999999999 a\\bin999999999999 gone", "a");
        add("cut in a hex pair", "{\\rtf1\\ansicpg932 \\'82\\'a0\\'82", "あ");
    }

    void documents()
    {
        QFETCH(QByteArray, rtf);
        QTextDocument doc;
        Rtf::fillTextDocument(&doc, Rtf::read(rtf));
        QStringList found;
        tables(doc.rootFrame(), found);
        QTEST(doc.toPlainText(), "text");
        QTEST(pictures(doc), "pictures");
        QTEST(found, "tables");
    }
};

QTEST_MAIN(TestRtf)
#include "test_rtf.moc"
