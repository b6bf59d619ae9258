// A plot for the drawing benchmarks: curves of sine points made by a formula of the curve,
// generation and point index, and the view styles that draw each in its own colour.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "enumerations.h"
#include "plot_data.h"
#include "plot_view_state.h"

namespace tarvik::bench {

class SinePlot : public PlotData {
  public:
    // point(c, g, i) gives point i of generation g of curve c as {x, y}.
    template <typename Point>
    SinePlot(int curves, int points, int generations, Point point) {
        for (int c = 0; c < curves; ++c) {
            std::deque<LineContainer> history;
            for (int g = 0; g < generations; ++g) {
                LineContainer store;
                for (int i = 0; i < points; ++i) {
                    const auto [x, y] = point(c, g, i);
                    store.add_point(x, y, 0);
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

// One solid one-pixel style per curve and generation, in colours apart from each other.
inline void style_each_curve(PlotViewState& view, const PlotData& plot) {
    for (int i = 0; i < plot.curve_count(); ++i) {
        view.m_Curves.append_curve(rgb(40 * i % 256, 0, 255 - 10 * i), SOLID, 1, 0);
        view.m_Curves.resize_generations(i, static_cast<int>(plot.history(i).size()));
    }
}

}  // namespace tarvik::bench
