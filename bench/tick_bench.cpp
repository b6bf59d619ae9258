// A full paint of a 1280 x 800 plot window, grid and legend on, with 5 ticks on each axis and
// with 2^31 - 1: the marks drawn are those in view, at most one per pixel, and labels and grid
// lines stay apart enough to read, so the two should cost about the same. A light plot (two
// curves of 10,000 points), where the ticks weigh most, and the repaint benchmark's heavy one
// (20 curves of 50,000 points with two older generations).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <deque>
#include <string>
#include <vector>

#include "plot_data.h"
#include "plot_renderer.h"
#include "plot_view_state.h"
#include "sine_plot.h"

namespace {

using namespace tarvik;

// Curves of `points` points over x from 0 to 10, each of another frequency.
bench::SinePlot curves(int count, int points, int generations) {
    return bench::SinePlot(count, points, generations, [points](int c, int g, int i) {
        const double x = i * 10.0 / points;
        return std::pair{x, std::sin(x * (c + 1) + 0.05 * g)};
    });
}

void paint_with_ticks(benchmark::State& state, const bench::SinePlot& plot) {
    PlotViewState view;
    view.m_ClientRect = PixelRect{0, 0, 1280, 800};
    view.m_XMin = 0.0;
    view.m_XMax = 10.0;
    view.m_YMin = -1.1;
    view.m_YMax = 1.1;
    view.m_XTicks = static_cast<std::int32_t>(state.range(0));
    view.m_YTicks = static_cast<std::int32_t>(state.range(0));
    bench::style_each_curve(view, plot);
    QImage picture(1280, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        picture.fill(Qt::white);
        QPainter painter(&picture);
        draw_plot(painter, view.m_ClientRect, view, plot);
    }
}

void BM_PaintWithTicks(benchmark::State& state) {
    static const bench::SinePlot plot = curves(2, 10000, 1);
    paint_with_ticks(state, plot);
}

void BM_PaintTwentyCurvesWithTicks(benchmark::State& state) {
    static const bench::SinePlot plot = curves(20, 50000, 3);
    paint_with_ticks(state, plot);
}

BENCHMARK(BM_PaintWithTicks)->Arg(5)->Arg(2147483647)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PaintTwentyCurvesWithTicks)
    ->Arg(5)
    ->Arg(2147483647)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
