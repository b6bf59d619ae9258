#include "automatic_range.h"

#include <cmath>
#include <optional>
#include <tuple>

namespace tarvik {

std::pair<double, double> automatic_range(double minimum, double maximum) {
    double s = maximum - minimum;
    if (std::fabs(s) < 0.00001)
        s = 0.1;
    const double low = minimum - 0.1 * s;
    const double high = maximum + 0.1 * s;
    // Data spanning nearly the whole double range cannot be padded; show it as it is.
    if (!std::isfinite(low) || !std::isfinite(high))
        return {minimum, maximum};
    return {low, high};
}

namespace {

bool usable_extent(double minimum, double maximum) {
    return std::isfinite(minimum) && std::isfinite(maximum) && minimum <= maximum;
}

}  // namespace

bool apply_automatic_x_range(PlotViewState& view, const PlotData& doc) {
    view.m_AutoX = true;
    const std::optional<ValueExtent> e = doc.x_extent();
    if (!e || !usable_extent(e->minimum, e->maximum))
        return false;
    std::tie(view.m_XMin, view.m_XMax) = automatic_range(e->minimum, e->maximum);
    return true;
}

bool apply_automatic_y_range(PlotViewState& view, const PlotData& doc) {
    view.m_AutoY = true;
    const std::optional<ValueExtent> e = doc.y_extent();
    if (!e || !usable_extent(e->minimum, e->maximum))
        return false;
    std::tie(view.m_YMin, view.m_YMax) = automatic_range(e->minimum, e->maximum);
    return true;
}

}  // namespace tarvik
