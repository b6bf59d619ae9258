// Data values to pixels and back, one axis at a time. Drawing, the printer page, hit tests,
// panning and the scrollable x axis all place values through these, so they agree pixel for
// pixel.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "plot_view_state.h"

namespace tarvik {

// A value that is NaN is missing and maps to this marker.
inline constexpr int kMissingPixel = 2147483647;

// Pixels of values far outside the range (or of any value on a zero-width range) are held to
// ±kPixelLimit: far beyond any screen, clipped away when drawn, and never the marker.
inline constexpr int kPixelLimit = 1000000000;

// One axis: `minimum` sits at pixel `origin`, minimum + span at origin + direction × extent.
struct AxisMap {
    double minimum = 0.0;
    double span = 1.0;  // maximum − minimum; negative for an inverted axis
    int origin = 0;
    int direction = 1;  // +1: values grow rightwards; −1: upwards (pixel rows grow down)
    int extent = 0;
    double scale = 0.0;  // extent / span: pixels per unit

    // An x axis across [left, left + width] and a y axis up from bottom over height.
    static AxisMap horizontal(double minimum, double maximum, int left, int width) {
        return make(minimum, maximum, left, 1, width);
    }
    static AxisMap vertical(double minimum, double maximum, int bottom, int height) {
        return make(minimum, maximum, bottom, -1, height);
    }
    static AxisMap make(double minimum, double maximum, int origin, int direction, int extent) {
        const double span = maximum - minimum;
        return {minimum, span, origin, direction, extent, extent / span};
    }

    // origin + direction × truncate(fraction × extent), truncated toward zero and held within
    // ±kPixelLimit. A NaN fraction (a zero-width range at its own value, or infinities) counts
    // as the origin.
    int to_pixel(double v) const { return std::isnan(v) ? kMissingPixel : place(v); }

    // to_pixel for a value known not to be NaN. Drawing places every point, so a product with
    // the scale stands in for the quotient: the two differ only in their last bits, which can
    // change the truncation only right at a whole pixel, and there the quotient decides.
    int place(double v) const {
        const double estimate = (v - minimum) * scale;
        if (std::fabs(estimate) < kPixelLimit) {
            const auto steps = static_cast<std::int64_t>(estimate);
            const double rest = std::fabs(estimate - static_cast<double>(steps));
            constexpr double kNearWhole = 1e-5;  // far above the product's error below 1e9
            if (rest > kNearWhole && rest < 1.0 - kNearWhole)
                return held(origin + direction * steps);
        }
        return place_exactly(v);
    }

    // place() of two values at once, on the two lanes of a 128-bit vector where the processor
    // has them: the same steps, so the same pixels as two calls. Drawing places a column's
    // lowest and highest y, and the last y of one column with the first of the next, together.
    std::pair<int, int> place_two(double a, double b) const {
#if defined(__SSE2__)
        const __m128d magnitude_mask = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffff));
        constexpr double kNearWhole = 1e-5;
        const __m128d estimate =
            _mm_mul_pd(_mm_sub_pd(_mm_set_pd(b, a), _mm_set1_pd(minimum)), _mm_set1_pd(scale));
        // Below the limit, the steps fit 32 bits; NaN fails the comparison.
        const __m128d small =
            _mm_cmplt_pd(_mm_and_pd(estimate, magnitude_mask), _mm_set1_pd(double(kPixelLimit)));
        const __m128i steps = _mm_cvttpd_epi32(estimate);
        const __m128d rest =
            _mm_and_pd(_mm_sub_pd(estimate, _mm_cvtepi32_pd(steps)), magnitude_mask);
        const __m128d apart = _mm_and_pd(_mm_cmpgt_pd(rest, _mm_set1_pd(kNearWhole)),
                                         _mm_cmplt_pd(rest, _mm_set1_pd(1.0 - kNearWhole)));
        if (_mm_movemask_pd(_mm_and_pd(small, apart)) == 3) {
            const int steps_a = _mm_cvtsi128_si32(steps);
            const int steps_b = _mm_cvtsi128_si32(_mm_shuffle_epi32(steps, 1));
            return {held(origin + std::int64_t{direction} * steps_a),
                    held(origin + std::int64_t{direction} * steps_b)};
        }
#endif
        return {place(a), place(b)};
    }

    // origin + direction × truncate((v − minimum) / span × extent), held within the limit.
    int place_exactly(double v) const {
        double offset = (v - minimum) / span * extent;
        if (std::isnan(offset))
            offset = 0.0;
        // The conversion truncates toward zero (std::trunc would be a library call per point).
        // Offsets beyond twice the limit land beyond the limit from any origin on a screen.
        constexpr double reach = 2.0 * kPixelLimit;
        const auto steps = static_cast<std::int64_t>(std::clamp(offset, -reach, reach));
        return held(origin + direction * steps);
    }

    static int held(std::int64_t pixel) {
        return static_cast<int>(std::clamp<std::int64_t>(pixel, -kPixelLimit, kPixelLimit));
    }

    // The value at a pixel (no truncation): the inverse of to_pixel up to the pixel's width.
    double to_value(double pixel) const {
        return minimum + (pixel - origin) * direction * span / extent;
    }
};

// Both axes of a plot: the ranges of `limits` over plot area `area`.
struct PlotMap {
    PlotMap(const plot_limits& limits, const PixelRect& area)
        : x(AxisMap::horizontal(limits.m_XMin, limits.m_XMax, area.left, area.width())),
          y(AxisMap::vertical(limits.m_YMin, limits.m_YMax, area.bottom, area.height())) {}

    // The pixel of data point (px, py); both kMissingPixel when either coordinate is NaN.
    std::pair<int, int> to_pixel(double px, double py) const {
        if (std::isnan(px) || std::isnan(py))
            return {kMissingPixel, kMissingPixel};
        return {x.place(px), y.place(py)};
    }
    std::pair<double, double> to_value(double px, double py) const {
        return {x.to_value(px), y.to_value(py)};
    }

    AxisMap x;
    AxisMap y;
};

}  // namespace tarvik
