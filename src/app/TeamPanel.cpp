#include "app/TeamPanel.h"

#include "display/NumberLED.h"
#include "panel/Quorvel.h"

#include <QLabel>
#include <QLineEdit>

namespace TeamPanel {

GameLimits limits(const Quorvel& panel)
{
    return {panel.txtInputName->maxLength(), panel.txtInputNumber->maxLength(),
            panel.txtTeamName->maxLength()};
}

PlayerRow row(const Quorvel& panel, int index)
{
    return {panel.lblName[index]->text(), panel.nledNumber[index]->value(),
            panel.nledFouls[index]->value(), panel.nledPoints[index]->value()};
}

void setRow(Quorvel& panel, int index, const PlayerRow& player)
{
    panel.lblName[index]->setText(player.name);
    panel.nledNumber[index]->setValue(player.number);
    panel.nledFouls[index]->setValue(player.fouls);
    panel.nledPoints[index]->setValue(player.points);
}

TeamRecord read(const Quorvel& panel)
{
    TeamRecord team{panel.txtTeamName->text(), {}, panel.PlayerEdit()};
    for (int i = 0; i < int(panel.lblName.size()); ++i)
        team.players.append(row(panel, i));
    return team;
}

int writeRows(Quorvel& panel, const QList<PlayerRow>& players)
{
    const int rows = int(panel.lblName.size());
    for (int i = 0; i < rows; ++i)
        setRow(panel, i, players.value(i, PlayerRow{}));
    return int(std::count_if(players.cbegin() + qMin(rows, int(players.size())), players.cend(),
                             [](const PlayerRow& p) { return !p.isBlank(); }));
}

} // namespace TeamPanel
