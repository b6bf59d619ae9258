// Pointer work on a 1,000,000-point plot: the hit test at pointer positions along the curve
// (x increasing, and a wandering x), against mapping every point; and one full repaint of a
// 1280 x 800 plot, as a drag step does.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "axis_map.h"
#include "enumerations.h"
#include "hit_test.h"
#include "memory_plot.h"
#include "plot_renderer.h"
#include "view_ranges.h"

namespace {

using namespace tarvik;

constexpr int kPoints = 1000000;

testing::MemoryPlot make_plot(bool wandering) {
    testing::MemoryPlot plot;
    plot.add_curve({}, "sine");
    LineContainer& store = plot.generations(0).front();
    std::mt19937 random(3);
    std::uniform_real_distribution<double> step(-0.4, 1.0);
    double x = 0;
    for (int i = 0; i < kPoints; ++i) {
        x = wandering ? x + step(random) : i * 0.001;
        store.add_point(x, std::sin(i * 0.001), 0);
    }
    return plot;
}

struct Scene {
    explicit Scene(bool wandering) : plot(make_plot(wandering)) {
        state.m_ClientRect = PixelRect{0, 0, 1280, 800};
        apply_automatic_x_range(state, plot);
        apply_automatic_y_range(state, plot);
        state.m_Curves.append_curve(rgb(255, 0, 0), SOLID, 1, 0);
        QImage probe(1, 1, QImage::Format_RGB32);
        area = plot_layout_on(state, state.m_ClientRect, &probe).plot_area;
        // Pointers on points spread over the curve, and some one pixel off.
        const PlotMap map(state, area);
        const LineContainer& store = plot.history(0).front();
        for (int k = 0; k < 256; ++k) {
            const auto i = static_cast<std::size_t>(k) * (kPoints / 256);
            auto [px, py] = map.to_pixel(store.x[i], store.y[i]);
            pointers.emplace_back(px + (k % 3) - 1, py + (k % 5 == 0 ? 4 : 0));
        }
    }
    testing::MemoryPlot plot;
    PlotViewState state;
    PixelRect area;
    std::vector<std::pair<int, int>> pointers;
};

const Scene& scene(bool wandering) {
    static const Scene increasing(false);
    static const Scene walk(true);
    return wandering ? walk : increasing;
}

void run_hit_test(benchmark::State& bm, bool wandering, bool every_point) {
    const Scene& s = scene(wandering);
    std::size_t k = 0;
    for (auto _ : bm) {
        const auto [mx, my] = s.pointers[k++ % s.pointers.size()];
        auto hit = every_point ? hit_test_every_point(s.state, s.plot, s.area, mx, my)
                               : hit_test(s.state, s.plot, s.area, mx, my);
        benchmark::DoNotOptimize(hit);
    }
}

void BM_HitTest(benchmark::State& bm) {
    run_hit_test(bm, false, false);
}
void BM_HitTestWanderingX(benchmark::State& bm) {
    run_hit_test(bm, true, false);
}
void BM_HitTestEveryPoint(benchmark::State& bm) {
    run_hit_test(bm, false, true);
}
BENCHMARK(BM_HitTest)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HitTestWanderingX)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HitTestEveryPoint)->Unit(benchmark::kMillisecond)->UseRealTime();

// The screen's picture drawn again in full: what every drag step and wheel turn costs.
void BM_FullRepaint1280x800(benchmark::State& bm) {
    Scene& s = const_cast<Scene&>(scene(false));
    QImage buffer(1280, 800, QImage::Format_RGB32);
    for (auto _ : bm) {
        buffer.fill(Qt::white);
        QPainter painter(&buffer);
        draw_plot(painter, s.state.m_ClientRect, s.state, s.plot);
    }
}
BENCHMARK(BM_FullRepaint1280x800)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
