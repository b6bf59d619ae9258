#include "hit_test.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "axis_map.h"
#include "plot_data.h"

namespace tarvik {

namespace {

bool within_reach(const std::pair<int, int>& pixel, int mx, int my, long radius) {
    if (pixel.first == kMissingPixel)
        return false;
    const long dx = static_cast<long>(pixel.first) - mx;
    const long dy = static_cast<long>(pixel.second) - my;
    return std::labs(dx) <= radius && std::labs(dy) <= radius &&
           dx * dx + dy * dy <= radius * radius;
}

// An x interval holding every value whose pixel column can lie within reach of column mx;
// none when the mapping allows no such bound (a zero-width range, infinities), and the
// caller then examines every point.
struct ValueWindow {
    double low;
    double high;
};

std::optional<ValueWindow> reachable_x(const AxisMap& axis, int mx, int radius) {
    if (axis.extent == 0 || axis.span == 0.0 || !std::isfinite(axis.span) ||
        !std::isfinite(axis.minimum) || std::abs(mx) > kPixelLimit / 2)
        return std::nullopt;
    // A column k = origin + truncate(offset) within reach means offset lies strictly inside
    // (d − reach − 1, d + reach + 1); one more pixel each side absorbs rounding.
    const double d = static_cast<double>(mx) - axis.origin;
    const double per_pixel = axis.span / axis.extent;
    const double a = axis.minimum + (d - radius - 2) * per_pixel;
    const double b = axis.minimum + (d + radius + 2) * per_pixel;
    double low = std::min(a, b);
    double high = std::max(a, b);
    const double slack = 1e-9 * std::max({std::abs(low), std::abs(high), std::abs(axis.minimum)});
    low -= slack;
    high += slack;
    if (!std::isfinite(low) || !std::isfinite(high))
        return std::nullopt;
    return ValueWindow{low, high};
}

std::optional<std::size_t> first_hit_in(const LineContainer& store, const PlotMap& map, int mx,
                                        int my, int radius, bool every_point) {
    const std::size_t n = std::min(store.x.size(), store.y.size());
    const double* xs = store.x.data();
    const double* ys = store.y.data();
    const std::optional<ValueWindow> window =
        every_point ? std::nullopt : reachable_x(map.x, mx, radius);
    if (window) {
        const double low = window->low;
        const double high = window->high;
        for (std::size_t i = 0; i < n; ++i) {
            // NaN fails both comparisons: missing points drop out here.
            if (xs[i] >= low && xs[i] <= high &&
                within_reach(map.to_pixel(xs[i], ys[i]), mx, my, radius))
                return i;
        }
        return std::nullopt;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (within_reach(map.to_pixel(xs[i], ys[i]), mx, my, radius))
            return i;
    }
    return std::nullopt;
}

std::optional<PointHit> search(const plot_limits& ranges, const PlotData& doc,
                               const PixelRect& plot_area, int mx, int my, int radius,
                               bool every_point) {
    const PlotMap map(ranges, plot_area);
    for (int c = doc.curve_count() - 1; c >= 0; --c) {
        const std::deque<LineContainer>& history = doc.history(c);
        for (std::size_t g = 0; g < history.size(); ++g) {
            const LineContainer& store = history[g];
            if (store.x.empty())
                continue;
            if (const auto i = first_hit_in(store, map, mx, my, radius, every_point))
                return PointHit{c, static_cast<int>(g), *i, store.x[*i], store.y[*i]};
        }
    }
    return std::nullopt;
}

}  // namespace

std::string data_tip_text(double x, double y) {
    char text[kDataTipLength + 1];
    std::snprintf(text, sizeof text, "x=% 9.5e y=% 9.5e ", x, y);
    return text;
}

std::optional<PointHit> hit_test(const plot_limits& ranges, const PlotData& doc,
                                 const PixelRect& plot_area, int mx, int my, int radius) {
    return search(ranges, doc, plot_area, mx, my, radius, false);
}

std::optional<PointHit> hit_test_every_point(const plot_limits& ranges, const PlotData& doc,
                                             const PixelRect& plot_area, int mx, int my,
                                             int radius) {
    return search(ranges, doc, plot_area, mx, my, radius, true);
}

}  // namespace tarvik
