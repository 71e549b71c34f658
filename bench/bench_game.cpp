// What keeping the game on disk costs the operator: an edit applied with the
// game file off and on (its write comes a moment later, off the editing
// path), and that write itself.
#include "app/GameKeeper.h"
#include "app/frmScoreboard.h"
#include "app/game/GameFile.h"
#include "panel/Quorvel.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// An edit of the first row, its values alternating so that each one changes it.
void BM_ApplyEdit(benchmark::State& state)
{
    QTemporaryDir folder;
    GameKeeper::configure({state.range(0) ? folder.path() : QString(), {}, {}});
    auto* home = new frmScoreboard(frmScoreboard::Team::Home);
    home->show();
    QCoreApplication::processEvents();
    Quorvel& panel = *home->Quorvel1;
    int points = 0;
    for (auto _ : state) {
        panel.txtInputPoints->setText(QString::number(points = (points + 1) % 100));
        panel.cmdInputChange->click();
    }
    home->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_ApplyEdit)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The write a change brings, of two full teams of 15.
void BM_KeepGame(benchmark::State& state)
{
    QTemporaryDir folder;
    GameFile file(folder.path());
    GameRecord game;
    for (TeamRecord* team : {&game.home, &game.visitor}) {
        team->name = QStringLiteral("Kestrels");
        for (int i = 0; i < 15; ++i)
            team->players.append({QStringLiteral("Player%1").arg(i), i, i % 6, 2 * i});
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(file.write(game, QDateTime::currentDateTimeUtc()));
}
BENCHMARK(BM_KeepGame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir store;
    SettingsStore::setFilePathOverride(store.filePath(QStringLiteral("Tallyvane.conf")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
