#include "help/HelpWindows.h"
#include "help/frmHelp.h"
#include "platform/RichTextBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace {

const QString Missing = QStringLiteral(
    "Help file has been moved from its normal location.  Please reinstall the program.");
const QByteArray SmallHelp = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 {\\b Tallyvane} help\\par}";

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QList<frmHelp*> helpWindows()
{
    QList<frmHelp*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<frmHelp*>(w);
            help && !help->testAttribute(Qt::WA_WState_Hidden))
            found.append(help);
    return found;
}

// Closing deletes later; let that happen before the next case.
void closeAll()
{
    for (frmHelp* w : helpWindows())
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        m_helpFile = m_dir->filePath(QStringLiteral("tallyvanehelpfile.rtf"));
    }
    void cleanup() { closeAll(); }

    void window();
    void loadStep_data();
    void loadStep();
    void resizeStep_data();
    void resizeStep();
    void minimisedKeepsLayout();
    void oneWindowPerSlot();
    void libraryHelp();

private:
    std::optional<QTemporaryDir> m_dir; // a fresh, empty folder for every test
    QString m_helpFile;
};

void TestHelp::window()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(pixmap));

    frmHelp w(m_dir->path());
    QCOMPARE(w.windowTitle(), QStringLiteral("Tallyvane Help"));
    QVERIFY(w.isWindow());
    QVERIFY(!w.parentWidget());
    QVERIFY(w.testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    QCOMPARE(w.windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    QCOMPARE(w.palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(w.rtbHelp->objectName(), QStringLiteral("rtbHelp"));
    QVERIFY(w.rtbHelp->isReadOnly());

    // 11055 x 9270 twips of client area, centred on the screen.
    QCOMPARE(w.size(), QSize(737, 618));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QSize frame = w.frameGeometry().size() - w.size();
    QVERIFY((w.frameGeometry().center() - centre).manhattanLength() <=
            frame.width() + frame.height());
    QCOMPARE(w.rtbHelp->pos(), QPoint(8, 0));
}

void TestHelp::loadStep_data()
{
    QTest::addColumn<QString>("folderSuffix");
    QTest::addColumn<bool>("fileIsFolder");
    QTest::addColumn<bool>("present");

    QTest::newRow("file present") << "" << false << true;
    QTest::newRow("folder ends with a separator") << "/" << false << true;
    QTest::newRow("file absent") << "" << false << false;
    QTest::newRow("a folder of that name") << "" << true << false;
}

void TestHelp::loadStep()
{
    QFETCH(QString, folderSuffix);
    QFETCH(bool, fileIsFolder);
    QFETCH(bool, present);

    if (fileIsFolder)
        QVERIFY(QDir().mkdir(m_helpFile));
    else if (present)
        writeFile(m_helpFile, SmallHelp);

    const QString folder = m_dir->path() + folderSuffix;
    QCOMPARE(frmHelp::helpFilePath(folder), folder + QDir::separator() + "tallyvanehelpfile.rtf");
    frmHelp w(folder);
    QCOMPARE(w.rtbHelp->toPlainText(), present ? QStringLiteral("Tallyvane help") : Missing);
}

void TestHelp::resizeStep_data()
{
    QTest::addColumn<QSize>("requested"); // outer size
    QTest::addColumn<QSize>("outer");

    QTest::newRow("ordinary") << QSize(900, 700) << QSize(900, 700);
    QTest::newRow("too narrow") << QSize(100, 500) << QSize(180, 500);
    QTest::newRow("too low") << QSize(500, 50) << QSize(500, 114); // 1700 twips, rounded up
    QTest::newRow("too small") << QSize(1, 1) << QSize(180, 114);
    QTest::newRow("smallest") << QSize(180, 114) << QSize(180, 114);
}

void TestHelp::resizeStep()
{
    QFETCH(QSize, requested);
    QFETCH(QSize, outer);

    frmHelp w(m_dir->path());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Sizes count the frame, which the offscreen platform draws too.
    const QSize frame = w.frameGeometry().size() - w.size();
    w.resize(requested - frame);
    QTRY_COMPARE(w.frameGeometry().size(), outer);

    // Text box: outer size less 240 by 420 twips; wrap width its width less 450.
    const QSize box(outer.width() - 16, outer.height() - 28);
    QCOMPARE(w.rtbHelp->geometry(), QRect(QPoint(8, 0), box));
    QCOMPARE(w.rtbHelp->wrapWidthTwips(), box.width() * 15.0 - 450);
    QCOMPARE(w.rtbHelp->lineWrapMode(), QTextEdit::FixedPixelWidth);
    QCOMPARE(w.rtbHelp->lineWrapColumnOrWidth(), box.width() - 30);
}

void TestHelp::minimisedKeepsLayout()
{
    frmHelp w(m_dir->path());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRect before = w.rtbHelp->geometry();
    w.setWindowState(Qt::WindowMinimized);
    w.resize(300, 200);
    QCOMPARE(w.rtbHelp->geometry(), before);
    w.setWindowState(Qt::WindowNoState);
    const QSize frame = w.frameGeometry().size() - w.size();
    w.resize(QSize(400, 300) - frame);
    QCOMPARE(w.rtbHelp->size(), QSize(384, 272));
}

void TestHelp::oneWindowPerSlot()
{
    QPointer<frmHelp> program;
    QPointer<frmHelp> library;
    frmHelp* first = showHelpWindow(program, m_dir->path());
    QCOMPARE(first, program.data());
    QVERIFY(first->isVisible());
    QCOMPARE(first->rtbHelp->toPlainText(), Missing);

    // Showing again neither opens a second window nor reads the file again.
    writeFile(m_helpFile, SmallHelp);
    first->setWindowState(Qt::WindowMinimized);
    QCOMPARE(showHelpWindow(program, m_dir->path()), first);
    QVERIFY(!first->isMinimized());
    QCOMPARE(first->rtbHelp->toPlainText(), Missing);
    QCOMPARE(helpWindows().size(), 1);

    // Another slot is another window.
    frmHelp* second = showHelpWindow(library, m_dir->path());
    QVERIFY(second != first);
    QCOMPARE(helpWindows().size(), 2);

    // Closing ends the window; the next show reads the file afresh.
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(program.isNull());
    QCOMPARE(showHelpWindow(program, m_dir->path())->rtbHelp->toPlainText(),
             QStringLiteral("Tallyvane help"));
}

void TestHelp::libraryHelp()
{
    // Linked into this executable, the code's binary is the test program.
    QCOMPARE(QDir(libraryFolder()).canonicalPath(),
             QDir(QCoreApplication::applicationDirPath()).canonicalPath());

    showLibraryHelp();
    showLibraryHelp();
    QCOMPARE(helpWindows().size(), 1);
}

QTEST_MAIN(TestHelp)
#include "test_help.moc"
