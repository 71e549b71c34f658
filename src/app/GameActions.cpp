#include "app/GameActions.h"

#include "app/GameKeeper.h"
#include "app/TeamPanel.h"
#include "app/game/AtomicWrite.h"
#include "app/game/RosterCsv.h"
#include "panel/Quorvel.h"
#include "platform/PlatformDialogs.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace {

// A file name made of a team name: without the characters file systems or
// shells take amiss.
QString fileNameOf(const QString& team)
{
    QString name = team.trimmed();
    for (QChar& c : name)
        if (c.category() == QChar::Other_Control || QStringView(u"/\\:*?\"<>|").contains(c))
            c = u'_';
    return (name.isEmpty() || name.startsWith(u'.') ? QStringLiteral("roster") : name) +
           QStringLiteral(".csv");
}

} // namespace

const QList<GameActions::Entry>& GameActions::entries()
{
    static const QList<Entry> all{
        {QT_TR_NOOP("Save roster…"), Qt::CTRL | Qt::Key_S, &GameActions::saveRoster},
        {QT_TR_NOOP("Load roster…"), Qt::CTRL | Qt::Key_O, &GameActions::chooseRoster},
        {QT_TR_NOOP("Export game…"), Qt::CTRL | Qt::Key_P, &GameActions::exportGame},
        {QT_TR_NOOP("New game"), Qt::CTRL | Qt::Key_N, &GameActions::newGame},
        {QT_TR_NOOP("Undo last edit"), Qt::ALT | Qt::Key_Backspace, &GameActions::undoLastEdit}};
    return all;
}

GameActions::GameActions(GameKeeper& keeper, QWidget* window, Quorvel* panel)
    : QObject(window), m_keeper(&keeper), m_window(window), m_panel(panel),
      m_menu(new QMenu(window))
{
    // The keys are shown, not bound: a bound key would be taken from the
    // control that has the focus.
    for (const Entry& entry : entries()) {
        QAction* action = m_menu->addAction(
            tr(entry.text) + u'\t' + QKeySequence(entry.key).toString(QKeySequence::NativeText));
        connect(action, &QAction::triggered, this, [this, run = entry.run] { runSoon(run); });
    }
    connect(panel, &Quorvel::editApplying, this, [this](int row) {
        m_history.record(row, TeamPanel::row(*m_panel, row));
        if (m_keeper)
            m_keeper->changed(); // the panel announces the edit itself
    });
    qApp->installEventFilter(this);
}

bool GameActions::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    auto* widget = qobject_cast<QWidget*>(watched);
    if ((type != QEvent::KeyPress && type != QEvent::ContextMenu) || widget == nullptr ||
        widget->window() != m_window)
        return false;
    if (type == QEvent::ContextMenu) {
        // A text box keeps its own menu.
        const QPoint at = static_cast<QContextMenuEvent*>(event)->globalPos();
        if (qobject_cast<QLineEdit*>(widget) == nullptr && !m_pending) {
            m_pending = true;
            QMetaObject::invokeMethod(
                this, [this, at] { showMenu(at); }, Qt::QueuedConnection);
        }
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeyCombination pressed(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key()));
    for (const Entry& entry : entries())
        if (entry.key == pressed && !key->isAutoRepeat())
            runSoon(entry.run);
    return false;
}

// Once the key or click has been delivered; a key that travels up to the
// parents is seen again on the way, and runs once.
void GameActions::runSoon(void (GameActions::*run)())
{
    if (m_pending)
        return;
    m_pending = true;
    QMetaObject::invokeMethod(
        this,
        [this, run] {
            m_pending = false;
            (this->*run)();
        },
        Qt::QueuedConnection);
}

void GameActions::showMenu(const QPoint& globalPos)
{
    m_pending = false;
    m_menu->actions().constLast()->setEnabled(!m_history.isEmpty());
    m_menu->popup(globalPos);
}

void GameActions::tell(const QString& title, const QString& text, QMessageBox::Icon icon)
{
    PlatformDialogs::instance().message(m_window, {text, title, icon});
}

void GameActions::saveRoster()
{
    const TeamRecord team = TeamPanel::read(*m_panel);
    const QString path =
        PlatformDialogs::instance().saveFile(m_window, tr("Rosters|*.csv"), fileNameOf(team.name));
    if (path.isEmpty())
        return;
    const QByteArray csv = RosterCsv::write(team);
    const QString error =
        writeAtomically(path, [&csv](QIODevice& file) { return file.write(csv) >= 0; });
    if (!error.isEmpty())
        tell(tr("Save Roster"), tr("The roster could not be saved as %1: %2.").arg(path, error),
             QMessageBox::Warning);
}

void GameActions::chooseRoster()
{
    const QString path = PlatformDialogs::instance().openFile(m_window, tr("Rosters|*.csv"));
    if (!path.isEmpty())
        loadRoster(path);
}

void GameActions::loadRoster(const QString& path)
{
    QFile file(path);
    RosterCsv::Reading reading;
    if (!file.open(QIODevice::ReadOnly))
        reading.error = file.errorString();
    else if (const QByteArray bytes = file.read(RosterCsv::maxBytes + 1);
             bytes.size() > RosterCsv::maxBytes)
        reading.error = tr("The file is larger than 16 MiB; a roster is far smaller.");
    else
        reading = RosterCsv::read(bytes, TeamPanel::limits(*m_panel));
    if (!reading.error.isEmpty()) {
        tell(tr("Load Roster"),
             tr("%1 is no roster the scoreboard can show.\n\n%2\n\nNothing has changed.")
                 .arg(path, reading.error),
             QMessageBox::Warning);
        return;
    }
    const int leftOut = TeamPanel::writeRows(*m_panel, reading.roster.players);
    if (reading.roster.team)
        m_panel->txtTeamName->setText(*reading.roster.team);
    forgetEdits();
    changed();
    if (leftOut > 0)
        tell(tr("Load Roster"),
             tr("%1 more players are on the roster than the scoreboard has rows; they were left "
                "out. To show more rows, press F2 and raise Number of Players on the tab Other "
                "Settings (up to 15), then load the roster again.")
                 .arg(leftOut),
             QMessageBox::Information);
}

void GameActions::changed()
{
    // Announced as an edit is, so that the live feed follows.
    emit m_panel->statsChanged();
    if (m_keeper)
        m_keeper->changed();
}

void GameActions::exportGame()
{
    if (m_keeper)
        m_keeper->exportGame(m_window);
}

void GameActions::newGame()
{
    if (m_keeper)
        m_keeper->newGame(m_window);
}

void GameActions::undoLastEdit()
{
    while (const std::optional<EditHistory::Step> step = m_history.takeLast()) {
        // A row since removed, or an edit that changed nothing, is passed over.
        if (step->row >= int(m_panel->lblName.size()) ||
            TeamPanel::row(*m_panel, step->row) == step->before)
            continue;
        TeamPanel::setRow(*m_panel, step->row, step->before);
        changed();
        return;
    }
    tell(tr("Undo Last Edit"), tr("No edit of this window is left to take back."),
         QMessageBox::Information);
}
