#include "display/NumberLED.h"

#include <QApplication>
#include <QPixmapCache>
#include <benchmark/benchmark.h>

// One full repaint of a two-digit display: the value changes every time and
// the displays' shared drawings are forgotten, so the picture is drawn afresh.
static void BM_NumberLEDPaint(benchmark::State& state)
{
    NumberLED led;
    led.setDigitSize(int(state.range(0)));
    led.setLedType(int(state.range(1)));
    int value = 0;
    for (auto _ : state) {
        led.setValue(value = (value + 1) % 100);
        QPixmapCache::clear();
        benchmark::DoNotOptimize(led.grab());
    }
}
BENCHMARK(BM_NumberLEDPaint)
    ->ArgNames({"DigitSize", "LedType"})
    ->ArgsProduct({{20, 40, 80, 160}, {0, 1}});

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
