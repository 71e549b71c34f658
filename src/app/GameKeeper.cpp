#include "app/GameKeeper.h"

#include "app/GameActions.h"
#include "app/TeamPanel.h"
#include "app/game/AtomicWrite.h"
#include "app/game/BoxScore.h"
#include "panel/Quorvel.h"
#include "platform/PlatformDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace {

GameKeeper::Setup& setup()
{
    static GameKeeper::Setup current;
    return current;
}

constexpr GameRecord::Side sides[] = {GameRecord::Side::Home, GameRecord::Side::Visitor};

} // namespace

void GameKeeper::configure(const Setup& value)
{
    setup() = value;
}

GameKeeper::GameKeeper(QWidget* homeWindow, Quorvel* home, QWidget* visitorWindow, Quorvel* visitor)
    : QObject(homeWindow), m_panels{home, visitor}, m_actions{
                                                        new GameActions(*this, homeWindow, home),
                                                        new GameActions(*this, visitorWindow,
                                                                        visitor)}
{
    for (Quorvel* panel : m_panels)
        connect(panel->txtTeamName, &QLineEdit::textChanged, this, &GameKeeper::changed);
    m_timer.setSingleShot(true);
    m_timer.setInterval(keepDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &GameKeeper::keep);
    if (!setup().folder.isEmpty()) {
        m_file = std::make_unique<GameFile>(setup().folder);
        m_claim = m_file->claim();
    }
    // Once both scoreboards are up.
    QMetaObject::invokeMethod(this, &GameKeeper::opened, Qt::QueuedConnection);
}

GameKeeper::~GameKeeper() = default;

GameRecord GameKeeper::record() const
{
    return {TeamPanel::read(*m_panels[0]), TeamPanel::read(*m_panels[1])};
}

void GameKeeper::tell(QWidget* parent, const QString& title, const QString& text,
                      QMessageBox::Icon icon)
{
    PlatformDialogs::instance().message(parent ? parent : m_panels[0]->window(),
                                        {text, title, icon});
}

void GameKeeper::opened()
{
    if (m_ended)
        return;
    bool restored = false;
    const QString folder = QDir::toNativeSeparators(setup().folder);
    if (m_file && m_claim == GameFile::Claim::Ours) {
        restored = m_file->exists() && offerRestore();
        m_keeping = true;
    } else if (m_file && m_claim == GameFile::Claim::Busy) {
        tell(nullptr, QStringLiteral("Tallyvane"),
             tr("Another Tallyvane is running and keeps its game in %1. This one keeps none: "
                "should it stop unexpectedly, its values are lost.")
                 .arg(folder),
             QMessageBox::Information);
    } else if (m_file) {
        tell(nullptr, QStringLiteral("Tallyvane"),
             tr("The game cannot be kept in %1: the folder cannot be written. The scoreboards "
                "work as usual, but a crash would lose their values.")
                 .arg(folder),
             QMessageBox::Warning);
    }
    // A game brought back is the game; rosters would empty its values.
    if (restored)
        return;
    if (!setup().homeRoster.isEmpty())
        m_actions[0]->loadRoster(setup().homeRoster);
    if (!setup().visitorRoster.isEmpty())
        m_actions[1]->loadRoster(setup().visitorRoster);
}

bool GameKeeper::offerRestore()
{
    const GameFile::Found found = m_file->read(TeamPanel::limits(*m_panels[0]));
    const QString title = tr("Restore Game");
    if (!found.game) {
        m_file->remove();
        tell(nullptr, title,
             tr("The game kept in %1 cannot be restored: %2. It has been discarded.")
                 .arg(QDir::toNativeSeparators(m_file->path()), found.error),
             QMessageBox::Warning);
        return false;
    }
    const PlatformDialogs::Message question{
        tr("Tallyvane did not end normally during a game: %1 against %2, kept at %3.\n\n"
           "Restore that game?")
            .arg(found.game->home.name, found.game->visitor.name,
                 found.saved.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))),
        title, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes};
    if (PlatformDialogs::instance().message(m_panels[0]->window(), question) == QMessageBox::Yes) {
        restore(*found.game);
        return true;
    }
    m_file->remove();
    return false;
}

void GameKeeper::restore(const GameRecord& game)
{
    for (GameRecord::Side side : sides) {
        Quorvel& panel = *m_panels[index(side)];
        const TeamRecord& team = game.team(side);
        TeamPanel::writeRows(panel, team.players);
        panel.txtTeamName->setText(team.name);
        panel.setPlayerEdit(team.selected);
        panel.PlayerClick(qint16(team.selected));
        actions(side)->forgetEdits();
        emit panel.statsChanged();
    }
}

void GameKeeper::changed()
{
    if (m_keeping && !m_timer.isActive())
        m_timer.start();
}

void GameKeeper::keep()
{
    if (!m_keeping)
        return;
    const QString error = m_file->write(record(), QDateTime::currentDateTimeUtc());
    if (error.isEmpty() || std::exchange(m_toldFailure, true))
        return;
    tell(nullptr, QStringLiteral("Tallyvane"),
         tr("The game cannot be kept in %1: %2. The scoreboards work as usual, but a crash "
            "would lose their values.")
             .arg(QDir::toNativeSeparators(m_file->path()), error),
         QMessageBox::Warning);
}

void GameKeeper::end()
{
    m_ended = true;
    m_timer.stop();
    if (m_keeping)
        m_file->release();
    m_keeping = false;
}

void GameKeeper::newGame(QWidget* asking)
{
    const PlatformDialogs::Message question{
        tr("Start a new game? The fouls and points of both teams are emptied; names and "
           "numbers stay."),
        tr("New Game"), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No};
    if (PlatformDialogs::instance().message(asking, question) != QMessageBox::Yes)
        return;
    for (GameRecord::Side side : sides) {
        Quorvel& panel = *m_panels[index(side)];
        for (int row = 0; row < int(panel.lblName.size()); ++row) {
            PlayerRow player = TeamPanel::row(panel, row);
            player.fouls = player.points = -1;
            TeamPanel::setRow(panel, row, player);
        }
        actions(side)->forgetEdits();
        emit panel.statsChanged();
    }
    changed();
}

void GameKeeper::exportGame(QWidget* asking)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QString chosen = PlatformDialogs::instance().saveFile(
        asking, tr("Box score|*.pdf;*.csv"),
        tr("Box score %1.pdf").arg(now.toString(QStringLiteral("yyyy-MM-dd HH-mm"))));
    if (chosen.isEmpty())
        return;
    // Both files are written, side by side: NAME.csv and NAME.pdf.
    const QFileInfo info(chosen);
    const bool known =
        info.suffix() == QLatin1String("csv") || info.suffix() == QLatin1String("pdf");
    const QString base = known ? info.path() + u'/' + info.completeBaseName() : chosen;
    const GameRecord game = record();
    const QByteArray csv = BoxScore::csv(game);
    QString error = writeAtomically(base + QStringLiteral(".csv"),
                                    [&csv](QIODevice& file) { return file.write(csv) >= 0; });
    if (error.isEmpty())
        error = writeAtomically(base + QStringLiteral(".pdf"), [&game, &now](QIODevice& file) {
            return BoxScore::writePdf(game, now, &file);
        });
    const QString shown = QDir::toNativeSeparators(base);
    if (error.isEmpty())
        tell(asking, tr("Export Game"), tr("The box score is in %1.csv and %1.pdf.").arg(shown),
             QMessageBox::Information);
    else
        tell(asking, tr("Export Game"),
             tr("The box score could not be written as %1: %2.").arg(shown, error),
             QMessageBox::Warning);
}
