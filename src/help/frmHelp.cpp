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

const QString HelpFileName = QStringLiteral("tallyvanehelpfile.rtf");
const QString MissingText = QStringLiteral(
    "Help file has been moved from its normal location.  Please reinstall the program.");

// Client area when the window opens, and the smallest outer size, in twips.
constexpr int ClientWidth = 11055;
constexpr int ClientHeight = 9270;
constexpr int MinOuterWidth = 2700;
constexpr int MinOuterHeight = 1700;

// The text box's place and its margins against the window's outer size.
constexpr int BoxLeft = 120;
constexpr int BoxTop = 0;
constexpr int BoxStoredWidth = 10935;
constexpr int BoxWidthMargin = 240;
constexpr int BoxHeightMargin = 420;
constexpr int WrapMargin = 450;

// A minimum must hold after conversion to whole pixels, so it rounds up.
int pixelsAtLeast(int twips)
{
    return int(std::ceil(double(twips) / Twips::PerPixel));
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
    Twips::setGeometry(rtbHelp, BoxLeft, BoxTop, BoxStoredWidth, ClientHeight);

    // Until the window manager frames the window the frame is taken as none.
    setMinimumSize(pixelsAtLeast(MinOuterWidth), pixelsAtLeast(MinOuterHeight));
    resize(Twips::toPixels(ClientWidth), Twips::toPixels(ClientHeight));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect placed(QPoint(), size());
        placed.moveCenter(screen->availableGeometry().center());
        move(placed.topLeft());
    }
    load(folder);
}

QString frmHelp::helpFilePath(const QString& folder)
{
    return folder + QDir::separator() + HelpFileName;
}

void frmHelp::load(const QString& folder)
{
    const QString path = helpFilePath(folder);
    const QFileInfo info(path);
    if (!info.isFile() || info.isHidden()) {
        rtbHelp->setPlainText(MissingText);
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
    const QSize smallest(pixelsAtLeast(MinOuterWidth) - frame.width(),
                         pixelsAtLeast(MinOuterHeight) - frame.height());
    if (minimumSize() != smallest)
        setMinimumSize(smallest); // also grows the window if it is smaller
    if (width() < smallest.width() || height() < smallest.height())
        resize(size().expandedTo(smallest));

    const int outerWidth = Twips::fromPixels(frameGeometry().width());
    const int outerHeight = Twips::fromPixels(frameGeometry().height());
    Twips::setWidth(rtbHelp, outerWidth - BoxWidthMargin);
    Twips::setHeight(rtbHelp, outerHeight - BoxHeightMargin);
    rtbHelp->setWrapWidthTwips(Twips::width(rtbHelp) - WrapMargin);
    rtbHelp->update();
}
