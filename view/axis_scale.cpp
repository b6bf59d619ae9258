#include "axis_scale.h"

#include <cstdint>

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

}  // namespace tarvik
