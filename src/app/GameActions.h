#pragma once

#include "app/game/EditHistory.h"

#include <QKeyCombination>
#include <QMessageBox>
#include <QPointer>

class GameKeeper;
class QMenu;
class Quorvel;

// What a scoreboard window offers around the game, in its context menu and
// as keys neither the panel nor a text box uses. Keys are watched, never
// taken: the focused control and the panel's events still get them, and the
// action runs once the key has been delivered.
class GameActions : public QObject
{
    Q_OBJECT

public:
    struct Entry
    {
        const char* text;
        QKeyCombination key;
        void (GameActions::*run)();
    };
    // The menu's entries, in its order.
    static const QList<Entry>& entries();

    GameActions(GameKeeper& keeper, QWidget* window, Quorvel* panel);

    void saveRoster();
    void chooseRoster();
    void exportGame();
    void newGame();
    void undoLastEdit();

    // Fills the team from a roster file; tells why when it cannot.
    void loadRoster(const QString& path);
    // The game began afresh or came back: earlier edits are not this game's.
    void forgetEdits() { m_history.clear(); }

    QMenu* menu() const { return m_menu; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runSoon(void (GameActions::*run)());
    void showMenu(const QPoint& globalPos);
    void tell(const QString& title, const QString& text, QMessageBox::Icon icon);
    // The team changed: the keeper keeps it.
    void changed();

    QPointer<GameKeeper> m_keeper;
    QWidget* m_window;
    Quorvel* m_panel;
    QMenu* m_menu;
    EditHistory m_history;
    bool m_pending = false;
};
