// libFuzzer entry: any bytes as a roster file either load into rows the
// scoreboard can show or give a reason, never both; a roster that loads,
// saved again, loads back the same.
#include "FuzzCheck.h"
#include "app/game/RosterCsv.h"

namespace {
constexpr GameLimits limits{8, 2, 32767};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const RosterCsv::Reading reading = RosterCsv::read(bytes, limits);
    const RosterCsv::Roster& roster = reading.roster;
    if (!reading.error.isEmpty()) {
        require(roster.players.isEmpty() && !roster.team);
        return 0;
    }
    require(!roster.players.isEmpty());
    for (const PlayerRow& p : roster.players) {
        require(p.name.size() <= limits.nameLength);
        require(p.number >= -1 && p.number <= 99);
        require(p.fouls == -1 && p.points == -1);
    }
    const TeamRecord team{roster.team.value_or(QString()), roster.players, 0};
    const RosterCsv::Reading again = RosterCsv::read(RosterCsv::write(team), limits);
    require(again.error.isEmpty());
    require(again.roster.players == roster.players);
    require(again.roster.team == team.name);
    return 0;
}
