// A full paint of a 1280 x 800 plot window (two curves of 10,000 points, grid and legend on)
// with 5 ticks on each axis and with 2^31 - 1: the ticks drawn are those in view, at most one
// per pixel, so the two should cost about the same.
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

class TwoCurves : public PlotData {
  public:
    TwoCurves() {
        for (int c = 0; c < 2; ++c) {
            LineContainer store;
            for (int i = 0; i < 10000; ++i) {
                const double x = i * 0.001;
                store.add_point(x, std::sin(x * (c + 1)), 0);
            }
            curves_.push_back({std::move(store)});
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
    int longest_title_length() const override { return 7; }

  private:
    std::vector<std::deque<LineContainer>> curves_;
    std::vector<std::string> titles_;
};

void BM_PaintWithTicks(benchmark::State& state) {
    static const TwoCurves plot;
    PlotViewState view;
    view.m_ClientRect = PixelRect{0, 0, 1280, 800};
    view.m_XMin = 0.0;
    view.m_XMax = 10.0;
    view.m_YMin = -1.1;
    view.m_YMax = 1.1;
    view.m_XTicks = static_cast<std::int32_t>(state.range(0));
    view.m_YTicks = static_cast<std::int32_t>(state.range(0));
    view.m_Curves.append_curve(rgb(255, 0, 0), SOLID, 1, 0);
    view.m_Curves.append_curve(rgb(0, 0, 255), SOLID, 1, 0);
    QImage picture(1280, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        picture.fill(Qt::white);
        QPainter painter(&picture);
        draw_plot(painter, view.m_ClientRect, view, plot);
    }
}

BENCHMARK(BM_PaintWithTicks)->Arg(5)->Arg(2147483647)->Unit(benchmark::kMillisecond);

}  // namespace
