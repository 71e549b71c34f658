#include "app/game/BoxScore.h"

#include "app/game/CsvText.h"

#include <QCoreApplication>

namespace {

QByteArray valueCell(int value)
{
    return value < 0 ? QByteArray() : QByteArray::number(value);
}

} // namespace

namespace BoxScore {

Totals totals(const TeamRecord& team)
{
    Totals sum;
    for (const PlayerRow& player : team.players) {
        sum.fouls += qMax(0, player.fouls);
        sum.points += qMax(0, player.points);
    }
    return sum;
}

QString totalLabel()
{
    return QCoreApplication::translate("BoxScore", "Team total");
}

QByteArray csv(const GameRecord& game)
{
    QByteArray csv =
        CsvText::byteOrderMark + CsvText::line({"Team", "Name", "Number", "Fouls", "Points"});
    for (const TeamRecord* team : {&game.home, &game.visitor}) {
        const QByteArray teamCell = CsvText::cell(team->name);
        for (const PlayerRow& p : team->players)
            csv += CsvText::line({teamCell, CsvText::cell(p.name), valueCell(p.number),
                                  valueCell(p.fouls), valueCell(p.points)});
        const Totals sum = totals(*team);
        csv += CsvText::line({teamCell,
                              CsvText::cell(totalLabel()),
                              {},
                              QByteArray::number(sum.fouls),
                              QByteArray::number(sum.points)});
    }
    return csv;
}

} // namespace BoxScore
