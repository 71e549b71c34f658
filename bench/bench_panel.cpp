#include "display/NumberLED.h"
#include "help/frmHelp.h"
#include "panel/Quorvel.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsStore.h"
#include "toolkit/PropertyBag.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<Quorvel> makePanel(int rows, int w = 1920, int h = 1080)
{
    auto panel = std::make_unique<Quorvel>();
    panel->readProperties(PropertyBag());
    PanelSettings::PlayerTotal = qint16(rows);
    panel->resize(w, h);
    panel->show();
    QCoreApplication::processEvents();
    return panel;
}

void BM_PanelCreation(benchmark::State& state)
{
    for (auto _ : state) {
        Quorvel panel;
        benchmark::DoNotOptimize(panel.picStats);
    }
}
BENCHMARK(BM_PanelCreation)->Unit(benchmark::kMicrosecond);

// Layout alone, and layout with the repaint it causes.
void BM_UpdatePlayers(benchmark::State& state)
{
    auto panel = makePanel(int(state.range(0)));
    for (auto _ : state)
        panel->UpdatePlayers();
}
BENCHMARK(BM_UpdatePlayers)->Arg(1)->Arg(5)->Arg(15)->Unit(benchmark::kMicrosecond);

void BM_UpdatePlayersAndPaint(benchmark::State& state)
{
    auto panel = makePanel(int(state.range(0)));
    for (auto _ : state) {
        panel->UpdatePlayers();
        panel->repaint();
    }
}
BENCHMARK(BM_UpdatePlayersAndPaint)->Arg(15)->Unit(benchmark::kMicrosecond);

// A hundred window sizes, each laid out and fitted as a resize does.
void BM_ResizeSweep(benchmark::State& state)
{
    auto panel = makePanel(15, 300, 400);
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i)
            panel->resize(300 + 16 * i, 400 + 7 * i);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ResizeSweep)->Unit(benchmark::kMillisecond);

void BM_RefreshTickCurrent(benchmark::State& state)
{
    auto panel = makePanel(15);
    PanelSettings::HomeRefreshed = true;
    for (auto _ : state)
        QMetaObject::invokeMethod(panel.get(), "refreshOptions");
}
BENCHMARK(BM_RefreshTickCurrent);

void BM_RefreshTickStale(benchmark::State& state)
{
    auto panel = makePanel(15);
    for (auto _ : state) {
        PanelSettings::HomeRefreshed = false;
        QMetaObject::invokeMethod(panel.get(), "refreshOptions");
    }
}
BENCHMARK(BM_RefreshTickStale)->Unit(benchmark::kMicrosecond);

void BM_UpdateFormColors(benchmark::State& state)
{
    auto panel = makePanel(15);
    int flip = 0;
    for (auto _ : state) {
        PanelSettings::LEDBack = (flip ^= 0x202020);
        panel->UpdateFormColors();
    }
}
BENCHMARK(BM_UpdateFormColors)->Unit(benchmark::kMicrosecond);

void BM_HelpLoad(benchmark::State& state)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/../lib");
    for (auto _ : state) {
        frmHelp help(folder);
        benchmark::DoNotOptimize(&help);
    }
}
BENCHMARK(BM_HelpLoad)->Unit(benchmark::kMillisecond);

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
