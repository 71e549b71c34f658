// The help viewer: its window, what it shows for each help file it may find,
// its size rules and its one window per deliverable.
#include "help/HelpLauncher.h"
#include "help/RichTextBox.h"
#include "help/frmHelp.h"
#include "support/Facts.h"

#include <QScreen>
#include <QTemporaryDir>
#include <optional>

using Facts::facts;

namespace {

const QString missing = QStringLiteral(
    "Help file has been moved from its normal location.  Please reinstall the program.");
const QByteArray smallHelp = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 {\\b Tallyvane} help\\par}";

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir; // a fresh, empty folder for every test

    void write(const QString& name, const QByteArray& content, qint64 size = 0)
    {
        QFile file(m_dir->filePath(name));
        if (file.open(QIODevice::WriteOnly) && file.write(content))
            file.resize(std::max(size, qint64(content.size())));
    }

private slots:
    void init() { m_dir.emplace(); }

    void window()
    {
        frmHelp w(m_dir->path());
        CHECK_FACTS(facts("caption", w.windowTitle(), "client", w.size(), "centred",
                          w.geometry().center() == w.screen()->availableGeometry().center(),
                          "box at", w.rtbHelp->pos()),
                    "caption=Tallyvane Help client=737x618 centred=true box at=8,0");
    }

    void shows_data()
    {
        QTest::addColumn<QString>("name");       // the file beside the deliverable
        QTest::addColumn<QByteArray>("content"); // "folder": a folder of that name
        QTest::addColumn<qint64>("size");        // the file grown to this many bytes
        QTest::addColumn<QString>("shown");      // %1: the path the window reads
        const QString name = QStringLiteral("tallyvanehelpfile.rtf");
        QTest::newRow("small file") << name << smallHelp << 0LL << "Tallyvane help";
        // Absent, but for a hidden one (its name starts with a dot).
        QTest::newRow("absent") << "." + name << smallHelp << 0LL << missing;
        QTest::newRow("a folder of that name") << name << QByteArray("folder") << 0LL << missing;
        QTest::newRow("64 MiB") << name << smallHelp << (64LL << 20) << "Tallyvane help";
        QTest::newRow("larger")
            << name << smallHelp << (64LL << 20) + 1
            << "The file %1 is 65 MiB, too large to show: at most 64 MiB can be shown.";
    }
    void shows()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, shown);
        QFETCH(qint64, size);
        if (content == "folder")
            QVERIFY(QDir(m_dir->path()).mkdir(name));
        else
            write(name, content, size);
        frmHelp w(m_dir->path() + "/"); // the separator is added all the same
        QCOMPARE(w.rtbHelp->toPlainText(),
                 shown.replace("%1", m_dir->path() + "//tallyvanehelpfile.rtf"));
    }

    // The window's outer size after a resize, at least 2700 x 1700 twips; the
    // text box 240 x 420 twips smaller, wrapping 450 twips inside its width.
    void resize_data()
    {
        QTest::addColumn<QSize>("requested");
        QTest::addColumn<QString>("sizes");
        QTest::newRow("ordinary") << QSize(900, 700) << "outer=900x700 box=884x672 wrap=854";
        QTest::newRow("too narrow") << QSize(100, 500) << "outer=180x500 box=164x472 wrap=134";
        QTest::newRow("too low") << QSize(500, 50) << "outer=500x114 box=484x86 wrap=454";
        QTest::newRow("too small") << QSize(1, 1) << "outer=180x114 box=164x86 wrap=134";
    }
    void resize()
    {
        QFETCH(QSize, requested);
        QFETCH(QString, sizes);
        frmHelp w(m_dir->path());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(requested - (w.frameGeometry().size() - w.size()));
        const auto shown = [&w] {
            return facts("outer", w.frameGeometry().size(), "box", w.rtbHelp->size(), "wrap",
                         w.rtbHelp->lineWrapColumnOrWidth());
        };
        QTRY_COMPARE(shown(), sizes);
        w.setWindowState(Qt::WindowMinimized);
        w.resize(300, 200);
        QCOMPARE(shown().section(' ', 1), sizes.section(' ', 1)); // minimised: the box stays
    }

    // A user's path: help opens, is shown again from its minimised state, the
    // library's own help opens, then help is closed and opens once more.
    void oneWindowPerSlot()
    {
        QPointer<frmHelp> program, library;
        frmHelp* first = HelpLauncher::show(program, m_dir->path());
        write("tallyvanehelpfile.rtf", smallHelp);
        first->setWindowState(Qt::WindowMinimized);
        const bool same = HelpLauncher::show(program, m_dir->path()) == first;
        const bool restored = !first->isMinimized();
        const QString again = first->rtbHelp->toPlainText();
        HelpLauncher::show(library, m_dir->path());
        first->close();
        QTRY_VERIFY(!program);
        HelpLauncher::show(program, m_dir->path());
        CHECK_FACTS(facts("same", same, "restored", restored, "not read again", again == missing,
                          "library's", library->rtbHelp->toPlainText(), "reopened",
                          program->rtbHelp->toPlainText()),
                    "same=true restored=true not read again=true library's=Tallyvane help "
                    "reopened=Tallyvane help");
        delete program;
        delete library;
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
