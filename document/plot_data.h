// What drawing, the automatic ranges and the x scrolling read of a plot: its curves' point
// stores and titles, and the extents of their data. Read-only; the document implements it, and
// tests use a plain in-memory one.
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "line_container.h"

namespace tarvik {

// The smallest and largest value of one coordinate over some data.
struct ValueExtent {
    double minimum;
    double maximum;
};

class PlotData {
  public:
    virtual ~PlotData() = default;

    virtual int curve_count() const = 0;
    // Curve i's point stores, newest generation first.
    virtual const std::deque<LineContainer>& history(int i) const = 0;
    virtual const std::string& curve_title(int i) const = 0;
    // The length of the longest curve title (the legend's width).
    virtual int longest_title_length() const = 0;

    // Smallest and largest x (y) over every curve and generation; none when no store holds a
    // value.
    std::optional<ValueExtent> x_extent() const;
    std::optional<ValueExtent> y_extent() const;
    // Smallest first and largest last finite x over the curves' newest stores.
    std::optional<double> earliest_x() const;
    std::optional<double> latest_x() const;
    // No store of any curve and generation holds a point.
    bool all_curves_empty() const;

  protected:
    PlotData() = default;
    PlotData(const PlotData&) = default;
    PlotData& operator=(const PlotData&) = default;
};

}  // namespace tarvik
