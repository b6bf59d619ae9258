// Which data point lies under the pointer: the point whose pixel is within 3 window pixels (a
// square and a circle) of the pointer. What is drawn on top is found first: curves from the last to
// the first, generations from the newest to the oldest; within one store the first hit in index
// order wins, not the nearest one. Missing points are never hit.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "plot_view_state.h"

namespace tarvik {

class PlotData;

inline constexpr int kHitRadius = 3;

struct PointHit {
    int curve = 0;
    int generation = 0;
    std::size_t index = 0;
    double x = 0.0;
    double y = 0.0;
    bool operator==(const PointHit&) const = default;
};

// (mx, my) in plot coordinates (the scroll offset already added); plot_area as the screen
// draw lays it out; radius in the same pixels (kHitRadius times a scaled screen's device pixel
// ratio for its device pixels). Only points whose x can map within reach of the pointer are
// examined, so a hover over a million points stays cheap.
std::optional<PointHit> hit_test(const plot_limits& ranges, const PlotData& doc,
                                 const PixelRect& plot_area, int mx, int my,
                                 int radius = kHitRadius);

// The same answer from mapping every point; the reference the fast search is checked with.
std::optional<PointHit> hit_test_every_point(const plot_limits& ranges, const PlotData& doc,
                                             const PixelRect& plot_area, int mx, int my,
                                             int radius = kHitRadius);

// The data tip of a point: "x=% 9.5e y=% 9.5e " with its values, at most 80 characters.
inline constexpr std::size_t kDataTipLength = 80;
std::string data_tip_text(double x, double y);

}  // namespace tarvik
