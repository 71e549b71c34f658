#include "app/frmScoreboard.h"

#include "app/FeedLauncher.h"
#include "app/GameKeeper.h"
#include "panel/Quorvel.h"
#include "toolkit/PropertyBag.h"
#include "toolkit/TwipsGeometry.h"

#include <QCloseEvent>
#include <QWindowStateChangeEvent>

namespace {
// Client area and panel rectangle of the stored layout, in twips. The panel
// is docked to the bottom, leaving a band at the top until the first resize.
constexpr int clientWidth = 5070;
constexpr int clientHeight = 7860;
constexpr int panelTop = 405;

constexpr Qt::WindowFlags scoreboardFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
} // namespace

frmScoreboard::frmScoreboard(Team team) : QWidget(nullptr, scoreboardFlags), m_team(team)
{
    const bool home = team == Team::Home;
    const QString name = home ? QStringLiteral("frmScoreboardH") : QStringLiteral("frmScoreboardV");
    setObjectName(name);
    setWindowRole(name);
    setAttribute(Qt::WA_DeleteOnClose);
    // The home caption keeps its trailing blank: the two windows differ by it.
    setWindowTitle(home ? QStringLiteral("Tallyvane ") : QStringLiteral("Tallyvane"));
    Twips::setWidth(this, clientWidth);
    Twips::setHeight(this, clientHeight);

    Quorvel1 = new Quorvel(this);
    Quorvel1->setObjectName(QStringLiteral("Quorvel1"));
    Quorvel1->readProperties(
        PropertyBag::fromFile(QStringLiteral(":/app/layouts/%1.bag").arg(name)));
    Twips::setGeometry(Quorvel1, 0, panelTop, clientWidth, clientHeight - panelTop);

    if (home) {
        m_partner = new frmScoreboard(Team::Visitor);
        m_partner->m_partner = this;
        m_partner->show();
        FeedLauncher::start(this, Quorvel1, m_partner->Quorvel1);
        m_game = new GameKeeper(this, Quorvel1, m_partner, m_partner->Quorvel1);
    }
}

void frmScoreboard::fitPanel()
{
    if (isMinimized())
        return;
    Quorvel1->setGeometry(rect());
    // Showing the panel lays it out; once it is up, every resize repeats what
    // that show did, without unmapping the window.
    if (isVisible())
        Quorvel1->runShowSteps();
}

void frmScoreboard::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitPanel();
}

void frmScoreboard::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // X11 restores a minimised window without resizing it; restoring counts
    // as a resize all the same.
    if (event->type() == QEvent::WindowStateChange &&
        static_cast<QWindowStateChangeEvent*>(event)->oldState().testFlag(Qt::WindowMinimized))
        fitPanel();
}

void frmScoreboard::closeEvent(QCloseEvent* event)
{
    m_unloading = true;
    if (m_game)
        m_game->end();
    if (m_partner && !m_partner->m_unloading)
        m_partner->close();
    event->accept();
}
