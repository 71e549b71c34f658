#include "feed/FeedCollect.h"

#include "display/NumberLED.h"
#include "panel/Quorvel.h"
#include "toolkit/BgrColor.h"

#include <QLabel>
#include <QLineEdit>

namespace {
std::optional<int> shownValue(const NumberLED* led)
{
    return led->value() < 0 ? std::nullopt : std::optional<int>(led->value());
}
} // namespace

namespace FeedCollect {

FeedTeam team(const Quorvel& panel)
{
    FeedTeam team{panel.txtTeamName->text(), {}};
    for (size_t i = 0; i < panel.lblName.size(); ++i)
        team.players.append({panel.lblName[i]->text(), shownValue(panel.nledNumber[i]),
                             shownValue(panel.nledFouls[i]), shownValue(panel.nledPoints[i])});
    return team;
}

FeedScheme scheme(const Quorvel& panel)
{
    FeedScheme scheme;
    scheme.columns = {!panel.txtTitleName->isHidden(), !panel.txtTitleNumber->isHidden(),
                      !panel.txtTitleFouls->isHidden(), !panel.txtTitlePoints->isHidden()};
    const NumberLED& number = *panel.nledNumber[0];
    scheme.colors = {BgrColor::fromColor(panel.palette().color(QPalette::Window)),
                     BgrColor::fromColor(panel.txtTeamName->palette().color(QPalette::Text)),
                     BgrColor::fromColor(number.backColor()),
                     BgrColor::fromColor(number.litColor()),
                     BgrColor::fromColor(panel.nledFouls[0]->litColor()),
                     BgrColor::fromColor(panel.nledPoints[0]->litColor())};
    scheme.digitStyle = number.ledType();
    return scheme;
}

} // namespace FeedCollect
