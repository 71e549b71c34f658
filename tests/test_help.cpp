// The help viewer: its window, what it shows for each help file it may find,
// the shipped guide, and its size rules.
#include "help/HelpLauncher.h"
#include "help/RichTextBox.h"
#include "help/frmHelp.h"
#include "platform/DeliverableFolders.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextTable>
#include <optional>

namespace {

const QString missing = QStringLiteral(
    "Help file has been moved from its normal location.  Please reinstall the program.");
const QByteArray smallHelp = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 {\\b Tallyvane} help\\par}";

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        m_helpFile = m_dir->filePath(QStringLiteral("tallyvanehelpfile.rtf"));
    }
    void shows_data()
    {
        QTest::addColumn<QByteArray>("content"); // "folder": a folder of the file's name
        QTest::addColumn<qint64>("size");        // the file grown to this size; -1 no file
        QTest::addColumn<QString>("shown");
        const QByteArray deep = QByteArray(100000, '{') + "deep" + QByteArray(100000, '}');
        QTest::newRow("small file") << smallHelp << 0LL << "Tallyvane help";
        QTest::newRow("file absent") << QByteArray() << -1LL << missing;
        QTest::newRow("a folder of that name") << QByteArray("folder") << 0LL << missing;
        QTest::newRow("too large") << smallHelp << RichTextBox::maxFileBytes + 1
                                   << "is 65 MiB, too large to show: at most 64 MiB can be shown.";
        QTest::newRow("unbalanced") << QByteArray("{\\rtf1 {\\b x}}} y}}{{ z") << 0LL << "x y z";
        QTest::newRow("nested 100000 deep") << "{\\rtf1 top " + deep + " end}" << 0LL << " end";
    }
    void shows()
    {
        QFETCH(QByteArray, content);
        QFETCH(qint64, size);
        QFETCH(QString, shown);
        QFile file(m_helpFile);
        if (content == "folder")
            QVERIFY(QDir().mkdir(m_helpFile));
        else if (size >= 0)
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) &&
                    file.resize(std::max(size, qint64(content.size()))));
        file.close();
        frmHelp w(m_dir->path() + "/"); // the separator is added all the same
        QVERIFY2(w.rtbHelp->toPlainText().contains(shown), qPrintable(w.rtbHelp->toPlainText()));
        QCOMPARE(w.rtbHelp->toPlainText() == missing, shown == missing);
    }

    void guide()
    {
        QVERIFY(QFile::copy(QFINDTESTDATA("../resources/tallyvanehelpfile.rtf"), m_helpFile));
        frmHelp w(m_dir->path());
        QTextDocument* doc = w.rtbHelp->document();
        QStringList blocks, pictures;
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            blocks << block.text();
            const QTextImageFormat f = block.begin().fragment().charFormat().toImageFormat();
            const QImage image =
                doc->resource(QTextDocument::ImageResource, f.name()).value<QImage>();
            if (f.isValid())
                pictures
                    << QStringLiteral("%1x%2 %3").arg(f.width()).arg(f.height()).arg(image.width());
        }
        for (const char* heading : {"Starting the program", "Editing a player", "Keys"})
            QVERIFY2(blocks.contains(heading), heading);
        QCOMPARE(pictures, QStringList({"528x412 528", "403x413 403"}));
        const auto* table = qobject_cast<QTextTable*>(doc->rootFrame()->childFrames().value(0));
        QVERIFY(table && table->rows() == 5 && table->columns() == 3);
        QCOMPARE(table->cellAt(1, 2).firstCursorPosition().block().text(), "8 characters");
    }

    void resizeStep_data()
    {
        QTest::addColumn<QSize>("requested"); // outer size
        QTest::addColumn<QSize>("outer");
        QTest::newRow("ordinary") << QSize(900, 700) << QSize(900, 700);
        QTest::newRow("too narrow") << QSize(100, 500) << QSize(180, 500); // 2700 twips
        QTest::newRow("too low") << QSize(500, 50) << QSize(500, 114);     // 1700, rounded up
        QTest::newRow("too small") << QSize(1, 1) << QSize(180, 114);
    }
    void resizeStep()
    {
        QFETCH(QSize, requested);
        QFETCH(QSize, outer);
        frmHelp w(m_dir->path());
        QCOMPARE(w.windowTitle(), QStringLiteral("Tallyvane Help"));
        QCOMPARE(w.size(), QSize(737, 618)); // 11055 x 9270 twips of client area
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QSize frame = w.frameGeometry().size() - w.size();
        w.resize(requested - frame);
        QTRY_COMPARE(w.frameGeometry().size(), outer);
        // Text box: outer size less 240 by 420 twips; wrap width its width less 450.
        const QSize box(outer.width() - 16, outer.height() - 28);
        QCOMPARE(w.rtbHelp->geometry(), QRect(QPoint(8, 0), box));
        QCOMPARE(w.rtbHelp->lineWrapColumnOrWidth(), box.width() - 30);
        w.setWindowState(Qt::WindowMinimized);
        w.resize(300, 200);
        QCOMPARE(w.rtbHelp->size(), box); // minimised: nothing changes
    }

    void oneWindowPerSlot()
    {
        QPointer<frmHelp> program, library;
        frmHelp* first = HelpLauncher::show(program, m_dir->path());
        QVERIFY(QFile(m_helpFile).open(QIODevice::WriteOnly));
        // Showing again neither opens a second window nor reads the file again.
        QCOMPARE(HelpLauncher::show(program, m_dir->path()), first);
        QCOMPARE(first->rtbHelp->toPlainText(), missing);
        QVERIFY(HelpLauncher::show(library, m_dir->path()) != first);
        QCOMPARE(DeliverableFolders::libraryFolder(), QCoreApplication::applicationDirPath());
    }

private:
    std::optional<QTemporaryDir> m_dir; // a fresh, empty folder for every test
    QString m_helpFile;
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
