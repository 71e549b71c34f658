#include "help/frmHelp.h"

#include "help/RichTextBox.h"
#include "toolkit/TwipsGeometry.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QResizeEvent>
#include <QScreen>
#include <cmath>

namespace {

const QString helpFileName = QStringLiteral("tallyvanehelpfile.rtf");
const QString missingText = QStringLiteral(
    "Help file has been moved from its normal location.  Please reinstall the program.");

// Client area when the window opens, and the smallest outer size, in twips.
constexpr int clientWidth = 11055;
constexpr int clientHeight = 9270;
constexpr int minOuterWidth = 2700;
constexpr int minOuterHeight = 1700;

// The text box's place and its margins against the window's outer size.
constexpr int boxLeft = 120;
constexpr int boxTop = 0;
constexpr int boxStoredWidth = 10935;
constexpr int boxWidthMargin = 240;
constexpr int boxHeightMargin = 420;
constexpr int wrapMargin = 450;

// A minimum must hold after conversion to whole pixels, so it rounds up.
int pixelsAtLeast(int twips)
{
    return int(std::ceil(double(twips) / Twips::perPixel));
}

} // namespace

frmHelp::frmHelp(const QString& folder)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      rtbHelp(new RichTextBox(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Tallyvane Help"));
    setWindowIcon(QApplication::windowIcon());
    setAccessibleName(windowTitle());
    QPalette colors = palette();
    colors.setColor(QPalette::Window, Qt::white);
    setPalette(colors);
    setAutoFillBackground(true);

    rtbHelp->setObjectName(QStringLiteral("rtbHelp"));
    rtbHelp->setAccessibleName(tr("Help text"));
    Twips::setGeometry(rtbHelp, boxLeft, boxTop, boxStoredWidth, clientHeight);

    // Until the window manager frames the window the frame is taken as none.
    setMinimumSize(pixelsAtLeast(minOuterWidth), pixelsAtLeast(minOuterHeight));
    resize(Twips::toPixels(clientWidth), Twips::toPixels(clientHeight));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect placed(QPoint(), size());
        placed.moveCenter(screen->availableGeometry().center());
        move(placed.topLeft());
    }
    load(folder);
}

QString frmHelp::helpFilePath(const QString& folder)
{
    return folder + QDir::separator() + helpFileName;
}

void frmHelp::load(const QString& folder)
{
    const QString path = helpFilePath(folder);
    const QFileInfo info(path);
    if (!info.isFile() || info.isHidden()) {
        rtbHelp->setPlainText(missingText);
        return;
    }
    if (const QString problem = rtbHelp->loadRtfFile(path); !problem.isEmpty())
        rtbHelp->setPlainText(problem);
}

void frmHelp::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitToWindow();
}

// The window manager adds its frame after the window is shown, which changes
// the outer size without resizing the client area; the window moves then.
void frmHelp::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    fitToWindow();
}

// The window's limits and the text box follow the outer size, frame included.
void frmHelp::fitToWindow()
{
    if (windowState() & Qt::WindowMinimized)
        return;
    const QSize frame = frameGeometry().size() - size();
    const QSize smallest(pixelsAtLeast(minOuterWidth) - frame.width(),
                         pixelsAtLeast(minOuterHeight) - frame.height());
    if (minimumSize() != smallest)
        setMinimumSize(smallest); // also grows the window if it is smaller
    if (width() < smallest.width() || height() < smallest.height())
        resize(size().expandedTo(smallest));

    const int outerWidth = Twips::fromPixels(frameGeometry().width());
    const int outerHeight = Twips::fromPixels(frameGeometry().height());
    Twips::setWidth(rtbHelp, outerWidth - boxWidthMargin);
    Twips::setHeight(rtbHelp, outerHeight - boxHeightMargin);
    rtbHelp->setWrapWidthTwips(Twips::width(rtbHelp) - wrapMargin);
    rtbHelp->update();
}
