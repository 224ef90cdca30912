// Panel drawing at 1x offscreen: a full repaint, a frequency redraw, and a
// frequency tick that changes nothing (and so draws nothing).
#include "menu/MenuTable.h"
#include "panel/PanelDisplay.h"
#include "panel/PanelPainter.h"
#include "panel/PanelView.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

struct Panel {
    Panel()
    {
        radio.set(qx::RadioState::Int::FA, 14'250'000);
        radio.set(qx::RadioState::Int::MD0, 2);
        display.firstFullDraw();
        view.render(); // the static art is drawn once and kept
    }
    qx::RadioState radio;
    qx::MenuTable menu;
    qx::test::FakeOutbox outbox;
    qx::panel::PanelDisplay display{radio, menu, outbox};
    qx::panel::PanelView view{display.model()};
    QImage target{843, 320, QImage::Format_ARGB32_Premultiplied};
};

QApplication& app()
{
    static int argc = 1;
    static char name[] = "bench_panel";
    static char* argv[] = {name, nullptr};
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication a(argc, argv);
    return a;
}

Panel& panel()
{
    app();
    static Panel p;
    return p;
}

void BM_FullRepaint(benchmark::State& state)
{
    Panel& p = panel();
    for (auto _ : state) {
        QPainter painter(&p.target);
        p.view.paintArea(painter, QRect(0, 0, 843, 320));
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_FrequencyRedraw(benchmark::State& state)
{
    Panel& p = panel();
    const QRect area = qx::panel::PanelPainter::regionRect(qx::panel::kRegionFrequency);
    long long hz = 14'250'000;
    for (auto _ : state) {
        p.radio.set(qx::RadioState::Int::FA, static_cast<int>(hz += 10));
        const unsigned changed = p.display.frequencyTick();
        QPainter painter(&p.target);
        p.view.paintArea(painter, area);
        benchmark::DoNotOptimize(changed);
    }
}
BENCHMARK(BM_FrequencyRedraw)->Unit(benchmark::kMicrosecond);

void BM_FrequencyTickUnchanged(benchmark::State& state)
{
    Panel& p = panel();
    for (auto _ : state)
        benchmark::DoNotOptimize(p.display.frequencyTick());
}
BENCHMARK(BM_FrequencyTickUnchanged);

} // namespace
