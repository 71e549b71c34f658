#include "app/frmSplash.h"

#include "app/frmScoreboard.h"
#include "help/HelpLauncher.h"
#include "toolkit/TwipsGeometry.h"
#include "version.h"

#include <QCoreApplication>
#include <QEventLoopLocker>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace {
constexpr int splashWidth = 6240;
constexpr int splashHeight = 3240;
// The splash stands this far above the centre: it is placed as if it were
// this tall, not as tall as it is.
constexpr int placementHeight = 5880;

QFont fontOf(const QString& family, double points)
{
    QFont font(family);
    Twips::setFontPoints(font, points);
    return font;
}

// The classic dialog font was an 8-point sans serif whose lines fit the
// labels' widths; Arial at 7.5 points sets the same lines in the same room.
QFont dialogFont()
{
    return fontOf(QStringLiteral("Arial"), 7.5);
}
} // namespace

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    // X11 tells the program's windows apart by role; all share one class.
    setWindowRole(objectName());
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(dialogFont());

    // Children are made in tab order; only cmdHelp takes the focus.
    frameSplash = new QFrame(this);
    frameSplash->setObjectName(QStringLiteral("frameSplash"));
    frameSplash->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Twips::setGeometry(frameSplash, 120, 0, 6000, 3120);

    lblMadeBy = addLabel(QStringLiteral("lblMadeBy"), QStringLiteral("by Kestrune"),
                         {4200, 840, 1575, 255}, Qt::AlignRight);
    lblName = addLabel(QStringLiteral("lblName"), QStringLiteral("Tallyvane"),
                       {180, 240, 5655, 735}, Qt::AlignHCenter);
    lblName->setFont(fontOf(QStringLiteral("Times New Roman"), 24));
    lblVersion = addLabel(QStringLiteral("lblVersion"), QStringLiteral("Version 1.0.0"),
                          {3600, 1080, 2175, 375}, Qt::AlignRight);
    lblVersion->setFont(fontOf(QStringLiteral("Times New Roman"), 15.75));
    lblClick = addLabel(QStringLiteral("lblClick"), QStringLiteral("Click to continue."),
                        {2520, 1080, 1335, 255}, Qt::AlignLeft);
    Label1 = addLabel(QStringLiteral("Label1"),
                      QStringLiteral("Press ' F1 ' to view Help from the scoreboard."),
                      {2640, 1680, 3255, 255}, Qt::AlignLeft);

    cmdHelp = new QPushButton(QStringLiteral("&Help"), frameSplash);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    // Outside a dialog a button answers Enter only when it is an auto-default.
    cmdHelp->setAutoDefault(true);
    Twips::setGeometry(cmdHelp, 3120, 2520, 1215, 375);
    connect(cmdHelp, &QPushButton::clicked, this, &frmSplash::showHelp);

    Label2 = addLabel(QStringLiteral("Label2"),
                      QStringLiteral("Press ' F2 ' to set Options from the scoreboard."),
                      {2640, 1920, 3255, 375}, Qt::AlignLeft);

    picLogo = new QLabel(frameSplash);
    picLogo->setObjectName(QStringLiteral("picLogo"));
    picLogo->setPixmap(QPixmap(QStringLiteral(":/app/icons/logo.png")));
    picLogo->setAccessibleName(tr("Tallyvane logo"));
    picLogo->move(Twips::toPixels(480), Twips::toPixels(960));
    picLogo->resize(picLogo->sizeHint());

    installEventFilter(this);
    for (QWidget* w : std::initializer_list<QWidget*>{frameSplash, lblMadeBy, lblName, lblVersion,
                                                      lblClick, Label1, Label2, picLogo})
        w->installEventFilter(this);

    Load();
    cmdHelp->setFocus();
}

QLabel* frmSplash::addLabel(const QString& name, const QString& text, const QRect& twips,
                            Qt::Alignment alignment)
{
    auto* label = new QLabel(text, frameSplash);
    label->setObjectName(name);
    label->setAlignment(alignment | Qt::AlignTop);
    Twips::setGeometry(label, twips.x(), twips.y(), twips.width(), twips.height());
    return label;
}

QPoint frmSplash::placement(const QRect& screen)
{
    const double top = (Twips::fromPixels(screen.height()) - double(placementHeight)) / 2;
    const double left = (Twips::fromPixels(screen.width()) - double(splashWidth)) / 2;
    return screen.topLeft() + QPoint(Twips::toPixels(left), Twips::toPixels(top));
}

void frmSplash::Load()
{
    Twips::setWidth(this, splashWidth);
    Twips::setHeight(this, splashHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(placement(screen->geometry()));
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(Version::Major)
                            .arg(Version::Minor)
                            .arg(Version::Revision));
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease || !watched->isWidgetType())
        return QWidget::eventFilter(watched, event);
    const auto* widget = static_cast<QWidget*>(watched);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    // A press that slid off before the release is no click; either way the
    // release goes no further, so its parent cannot take it for a click.
    if (widget->rect().contains(mouse->position().toPoint()))
        GoScore();
    return true;
}

void frmSplash::GoScore()
{
    if (m_gone)
        return;
    m_gone = true;
    // The splash may be the only window: closing it must not end the program
    // before the scoreboards are up.
    const QEventLoopLocker keepRunning;
    close();
    openScoreboards();
}

void frmSplash::openScoreboards()
{
    auto* home = new frmScoreboard(frmScoreboard::Team::Home);
    home->show();
    home->raise();
    home->activateWindow();
}

void frmSplash::showHelp()
{
    HelpLauncher::showProgramHelp();
}
