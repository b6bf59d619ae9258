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

namespace {

using namespace tarvik;

class Curves : public PlotData {
  public:
    Curves(int curves, int points, int generations) {
        for (int c = 0; c < curves; ++c) {
            std::deque<LineContainer> history;
            for (int g = 0; g < generations; ++g) {
                LineContainer store;
                for (int i = 0; i < points; ++i) {
                    const double x = i * 10.0 / points;
                    store.add_point(x, std::sin(x * (c + 1) + 0.05 * g), 0);
                }
                history.push_back(std::move(store));
            }
            curves_.push_back(std::move(history));
            titles_.push_back("curve " + std::to_string(c));
        }
    }
    int curve_count() const override { return static_cast<int>(curves_.size()); }
    const std::deque<LineContainer>& history(int i) const override {
        return curves_[static_cast<std::size_t>(i)];
    }
    const std::string& curve_title(int i) const override {
        return titles_[static_cast<std::size_t>(i)];
    }
    int longest_title_length() const override { return 8; }

  private:
    std::vector<std::deque<LineContainer>> curves_;
    std::vector<std::string> titles_;
};

void paint_with_ticks(benchmark::State& state, const Curves& plot) {
    PlotViewState view;
    view.m_ClientRect = PixelRect{0, 0, 1280, 800};
    view.m_XMin = 0.0;
    view.m_XMax = 10.0;
    view.m_YMin = -1.1;
    view.m_YMax = 1.1;
    view.m_XTicks = static_cast<std::int32_t>(state.range(0));
    view.m_YTicks = static_cast<std::int32_t>(state.range(0));
    for (int i = 0; i < plot.curve_count(); ++i) {
        view.m_Curves.append_curve(rgb(40 * i % 256, 0, 255 - 10 * i), SOLID, 1, 0);
        view.m_Curves.resize_generations(i, static_cast<int>(plot.history(i).size()));
    }
    QImage picture(1280, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        picture.fill(Qt::white);
        QPainter painter(&picture);
        draw_plot(painter, view.m_ClientRect, view, plot);
    }
}

void BM_PaintWithTicks(benchmark::State& state) {
    static const Curves plot(2, 10000, 1);
    paint_with_ticks(state, plot);
}

void BM_PaintTwentyCurvesWithTicks(benchmark::State& state) {
    static const Curves plot(20, 50000, 3);
    paint_with_ticks(state, plot);
}

BENCHMARK(BM_PaintWithTicks)->Arg(5)->Arg(2147483647)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintTwentyCurvesWithTicks)->Arg(5)->Arg(2147483647)->Unit(benchmark::kMillisecond);

}  // namespace
