// A full repaint of a maximised plot window, 1280 x 800 logical pixels: the whole plot drawn
// into the window's picture and copied to the screen, on screens scaled to 100, 150 and 200 %
// (2560 x 1600 device pixels). One curve of 1,000,000 points, 20 curves of 50,000 points with
// two older generations each, and a day of data: one curve of 100,000,000 points, also panned
// by 1 % per repaint, and 20 curves of 5,000,000 points. Timed by the clock on the wall: dense
// curves are drawn strip by strip on two threads, and a thread's own CPU time would count
// only its share.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <deque>
#include <string>
#include <vector>

#include "enumerations.h"
#include "plot_data.h"
#include "plot_renderer.h"
#include "plot_view_state.h"
#include "screen_picture.h"
#include "sine_plot.h"

namespace {

using namespace tarvik;

// Curves of `points` points 0.001 apart in x, each shifted a little from the one before.
bench::SinePlot curves(int count, int points, int generations) {
    return bench::SinePlot(count, points, generations, [](int c, int g, int i) {
        const double x = i * 0.001;
        return std::pair{x, std::sin(x + 0.3 * c + 0.05 * g)};
    });
}

// Repaints with the x range moved by `pan` of its width on every second repaint and back on
// the others, as a drag does.
void repaint(benchmark::State& state, const bench::SinePlot& plot, double pan = 0.0) {
    PlotViewState view;
    view.m_ClientRect = PixelRect{0, 0, 1280, 800};
    const auto x = plot.x_extent();
    view.m_XMin = x->minimum;
    view.m_XMax = x->maximum;
    view.m_YMin = -1.1;
    view.m_YMax = 1.1;
    bench::style_each_curve(view, plot);
    const ScreenScale scale{static_cast<double>(state.range(0)) / 100.0};
    const QSize window(1280, 800);
    QImage picture;
    QImage screen(scale.device_size(window), QImage::Format_RGB32);
    screen.setDevicePixelRatio(scale.ratio);
    const double shift = pan * (view.m_XMax - view.m_XMin);
    bool shifted = false;
    for (auto _ : state) {
        if (shift != 0.0) {
            shifted = !shifted;
            view.m_XMin += shifted ? shift : -shift;
            view.m_XMax += shifted ? shift : -shift;
        }
        draw_screen_picture(picture, scale, window, view.m_ClientRect, 0, view, plot);
        QPainter copy(&screen);
        copy.drawImage(0, 0, picture);
    }
}

void BM_RepaintOneMillionPoints(benchmark::State& state) {
    static const bench::SinePlot plot = curves(1, 1000000, 1);
    repaint(state, plot);
}

void BM_RepaintTwentyCurvesWithHistory(benchmark::State& state) {
    static const bench::SinePlot plot = curves(20, 50000, 3);
    repaint(state, plot);
}

const bench::SinePlot& hundred_million_points() {
    static const bench::SinePlot plot = curves(1, 100000000, 1);
    return plot;
}

void BM_RepaintHundredMillionPoints(benchmark::State& state) {
    repaint(state, hundred_million_points());
}

void BM_PanHundredMillionPoints(benchmark::State& state) {
    repaint(state, hundred_million_points(), 0.01);
}

void BM_RepaintTwentyCurvesOfFiveMillion(benchmark::State& state) {
    static const bench::SinePlot plot = curves(20, 5000000, 1);
    repaint(state, plot);
}

// The screen's scale in percent.
BENCHMARK(BM_RepaintOneMillionPoints)
    ->ArgName("percent")
    ->Arg(100)
    ->Arg(150)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_RepaintTwentyCurvesWithHistory)
    ->ArgName("percent")
    ->Arg(100)
    ->Arg(150)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_RepaintHundredMillionPoints)
    ->ArgName("percent")
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PanHundredMillionPoints)
    ->ArgName("percent")
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_RepaintTwentyCurvesOfFiveMillion)
    ->ArgName("percent")
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
