// The ticks of one axis: where each of `count` evenly spread positions lies in pixels and which
// data value it names. Tick marks, grid lines and labels all take their places from one scale,
// so a label always stands at its tick and the end labels name the range ends.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvik {

struct AxisScale {
    double minimum = 0.0;  // value at the start pixel
    double maximum = 0.0;  // value at the end pixel
    int start_pixel = 0;   // left edge for x, bottom edge for y
    int end_pixel = 0;     // right edge for x, top edge for y
    int count = 0;         // tick positions, both ends included
    double step = 0.0;     // pixels between neighbouring positions
    int cross = 0;         // pixel of the other axis
    int tick_length = 0;

    // Positions to draw: none for a count of 0 or less, one (at the minimum) for a count of 1.
    int tick_count() const { return count > 0 ? count : 0; }
    // For 0 <= i < count.
    int tick_pixel(int i) const;
    double tick_value(int i) const;

    // The positions whose pixels lie in [low, high], in order; of several positions on one
    // pixel only the first. So a draw makes at most high - low + 1 marks however large the
    // count is.
    std::vector<int> ticks_between(int low, int high) const;

    // The positions of ticks_between(low, high) that get a label and a grid line: all of them
    // while at most `most` fit in a stretch of that width; else every k-th position (counted
    // from the minimum, so the same ones keep their labels while the stretch scrolls), k the
    // least stride that keeps them to `most` and at least `least_gap` pixels apart.
    std::vector<int> labelled_between(int low, int high, int most, int least_gap) const;

  private:
    // The first position from `from` on whose pixel lies at least `distance` pixels from the
    // start pixel; count when there is none.
    std::int64_t first_reaching(std::int64_t distance, std::int64_t from) const;
    std::int64_t distance_of(std::int64_t i) const;
};

AxisScale make_axis_scale(double minimum, double maximum, int start_pixel, int end_pixel, int count,
                          int cross, int tick_length);

}  // namespace tarvik
