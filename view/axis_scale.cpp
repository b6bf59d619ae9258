#include "axis_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace tarvik {

AxisScale make_axis_scale(double minimum, double maximum, int start_pixel, int end_pixel, int count,
                          int cross, int tick_length) {
    AxisScale s;
    s.minimum = minimum;
    s.maximum = maximum;
    s.start_pixel = start_pixel;
    s.end_pixel = end_pixel;
    s.count = count;
    // A single tick has no neighbour to be a step away from; it sits at the start.
    if (count >= 2) {
        s.step = (static_cast<double>(end_pixel) - start_pixel) / (count - 1);
    }
    s.cross = cross;
    s.tick_length = tick_length;
    return s;
}

int AxisScale::tick_pixel(int i) const {
    if (count < 2)
        return start_pixel;
    // i × step, but from the exact product: (span / n) × n can come out a hair below span
    // (1 / 49 × 49 < 1), which would leave the last tick one pixel short of the axis end.
    const double span = static_cast<double>(end_pixel) - start_pixel;
    const auto offset = static_cast<std::int64_t>(span * i / (count - 1));
    return static_cast<int>(start_pixel + offset);
}

double AxisScale::tick_value(int i) const {
    if (count < 2)
        return minimum;
    return minimum + (maximum - minimum) / (count - 1) * i;
}

namespace {

// A stretch of pixels as distances from the start pixel, toward the end pixel.
struct Reach {
    std::int64_t length;  // from the start pixel to the end pixel
    std::int64_t nearest;
    std::int64_t farthest;
    bool empty() const { return nearest > farthest; }
};

Reach reach_of(const AxisScale& s, int low, int high) {
    if (low > high)
        std::swap(low, high);
    const std::int64_t start = s.start_pixel;
    const std::int64_t end = s.end_pixel;
    Reach r{end >= start ? end - start : start - end, 0, 0};
    r.nearest = end >= start ? low - start : start - high;
    r.farthest = end >= start ? high - start : start - low;
    r.nearest = std::max<std::int64_t>(r.nearest, 0);
    r.farthest = std::min(r.farthest, r.length);
    return r;
}

}  // namespace

std::int64_t AxisScale::distance_of(std::int64_t i) const {
    const std::int64_t d = static_cast<std::int64_t>(tick_pixel(static_cast<int>(i))) - start_pixel;
    return d < 0 ? -d : d;
}

// Distances never decrease from one position to the next. The quotient below finds the
// position up to the rounding of the pixels' products; a search settles any doubt.
std::int64_t AxisScale::first_reaching(std::int64_t distance, std::int64_t from) const {
    const std::int64_t n = tick_count();
    const double length = std::fabs(static_cast<double>(end_pixel) - start_pixel);
    const double estimate = std::ceil(static_cast<double>(distance) * (n - 1) / length);
    const std::int64_t guess = std::clamp(
        static_cast<std::int64_t>(std::clamp(estimate, 0.0, static_cast<double>(n))), from, n);
    const bool after_shorter = guess == from || distance_of(guess - 1) < distance;
    const bool reaches = guess == n || distance_of(guess) >= distance;
    if (after_shorter && reaches)
        return guess;
    std::int64_t low = from;
    std::int64_t high = n;
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (distance_of(middle) < distance)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

std::vector<int> AxisScale::ticks_between(int low, int high) const {
    std::vector<int> ticks;
    const Reach r = reach_of(*this, low, high);
    if (tick_count() == 0 || r.empty())
        return ticks;
    if (count < 2 || r.length == 0) {
        if (r.nearest == 0)
            ticks.push_back(0);  // every position sits on the start pixel
        return ticks;
    }
    for (std::int64_t i = first_reaching(r.nearest, 0); i < count;) {
        const std::int64_t d = distance_of(i);
        if (d > r.farthest)
            break;
        ticks.push_back(static_cast<int>(i));
        i = first_reaching(d + 1, i + 1);
    }
    return ticks;
}

std::vector<int> AxisScale::labelled_between(int low, int high, int most, int least_gap) const {
    const Reach r = reach_of(*this, low, high);
    if (count < 2 || r.length == 0 || r.empty())
        return ticks_between(low, high);
    // Positions a stretch of this width holds, wherever it lies along the axis.
    const double length = static_cast<double>(r.length);
    const double width = std::min(std::fabs(static_cast<double>(high) - low), length);
    const double positions = width * (count - 1) / length + 1.0;
    most = std::max(most, 1);
    if (positions <= most)
        return ticks_between(low, high);
    const double gap = std::max(least_gap, 1);
    const double stride =
        std::max(std::ceil(positions / most), std::ceil(gap * (count - 1) / length));
    const auto k = static_cast<std::int64_t>(stride);
    std::vector<int> ticks;
    std::int64_t previous = -1;
    const std::int64_t first = first_reaching(r.nearest, 0);
    for (std::int64_t i = (first + k - 1) / k * k; i < count; i += k) {
        const std::int64_t d = distance_of(i);
        if (d > r.farthest)
            break;
        if (d != previous)
            ticks.push_back(static_cast<int>(i));
        previous = d;
    }
    return ticks;
}

}  // namespace tarvik
