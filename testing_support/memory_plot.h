// A plot's data held in memory, for tests of drawing, ranges and scrolling that need points
// but no files.
#pragma once

#include <algorithm>
#include <deque>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "line_container.h"
#include "plot_data.h"

namespace tarvik::testing {

class MemoryPlot : public PlotData {
  public:
    // Appends a curve of one generation holding `points` (x, y).
    void add_curve(std::initializer_list<std::pair<double, double>> points,
                   const std::string& title = "") {
        LineContainer store;
        for (const auto& [x, y] : points)
            store.add_point(x, y, 0);
        curves_.push_back({std::move(store)});
        titles_.push_back(title);
    }
    std::deque<LineContainer>& generations(int i) {
        return curves_.at(static_cast<std::size_t>(i));
    }

    int curve_count() const override { return static_cast<int>(curves_.size()); }
    const std::deque<LineContainer>& history(int i) const override {
        return curves_.at(static_cast<std::size_t>(i));
    }
    const std::string& curve_title(int i) const override {
        return titles_.at(static_cast<std::size_t>(i));
    }
    int longest_title_length() const override {
        int longest = 0;
        for (const std::string& t : titles_)
            longest = std::max(longest, static_cast<int>(t.size()));
        return longest;
    }

  private:
    std::vector<std::deque<LineContainer>> curves_;
    std::vector<std::string> titles_;
};

}  // namespace tarvik::testing
