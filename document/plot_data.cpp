#include "plot_data.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace tarvik {

namespace {

// The first and last finite x of a store.
std::optional<double> first_finite_x(const LineContainer& c) {
    const auto it = std::find_if(c.x.begin(), c.x.end(), [](double v) { return !std::isnan(v); });
    if (it == c.x.end())
        return std::nullopt;
    return *it;
}

std::optional<double> last_finite_x(const LineContainer& c) {
    const auto it = std::find_if(c.x.rbegin(), c.x.rend(), [](double v) { return !std::isnan(v); });
    if (it == c.x.rend())
        return std::nullopt;
    return *it;
}

// The stores keep their ranges with min > max while they hold no value.
template <typename Range>
std::optional<ValueExtent> extent_of(const PlotData& data, Range range) {
    ValueExtent e{DBL_MAX, -DBL_MAX};
    for (int i = 0; i < data.curve_count(); ++i) {
        for (const LineContainer& c : data.history(i)) {
            const auto [low, high] = range(c);
            e.minimum = std::min(e.minimum, low);
            e.maximum = std::max(e.maximum, high);
        }
    }
    if (e.minimum > e.maximum)
        return std::nullopt;
    return e;
}

}  // namespace

std::optional<ValueExtent> PlotData::x_extent() const {
    return extent_of(*this, [](const LineContainer& c) { return c.x_range(); });
}

std::optional<ValueExtent> PlotData::y_extent() const {
    return extent_of(*this, [](const LineContainer& c) { return c.y_range(); });
}

bool PlotData::all_curves_empty() const {
    for (int i = 0; i < curve_count(); ++i) {
        for (const LineContainer& c : history(i)) {
            if (c.count > 0)
                return false;
        }
    }
    return true;
}

std::optional<double> PlotData::earliest_x() const {
    std::optional<double> earliest;
    for (int i = 0; i < curve_count(); ++i) {
        const auto& h = history(i);
        if (h.empty())
            continue;
        const auto x = first_finite_x(h.front());
        if (x && (!earliest || *x < *earliest))
            earliest = x;
    }
    return earliest;
}

std::optional<double> PlotData::latest_x() const {
    std::optional<double> latest;
    for (int i = 0; i < curve_count(); ++i) {
        const auto& h = history(i);
        if (h.empty())
            continue;
        const auto x = last_finite_x(h.front());
        if (x && (!latest || *x > *latest))
            latest = x;
    }
    return latest;
}

}  // namespace tarvik
