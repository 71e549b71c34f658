#pragma once

#include <QPointer>
#include <QWidget>

class GameKeeper;
class Quorvel;

// A scoreboard window: one team's panel filling the client area. The home
// and the visitor window open together and close together.
class frmScoreboard : public QWidget
{
    Q_OBJECT

public:
    enum class Team { Home, Visitor };

    // Loads the window: creates its panel from the window's stored layout.
    // Loading the home window shows the visitor window first.
    explicit frmScoreboard(Team team);

    Team team() const { return m_team; }
    // The other window of the pair; null once it is gone.
    frmScoreboard* partner() const { return m_partner; }

    Quorvel* Quorvel1;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fitPanel();

    Team m_team;
    QPointer<frmScoreboard> m_partner;
    GameKeeper* m_game = nullptr; // the home window's
    bool m_unloading = false;
};
