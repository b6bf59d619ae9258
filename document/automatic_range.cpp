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

// Turns one axis's automatic range on and, when the data give a usable extent, pads it.
bool apply_automatic(bool& automatic, double& minimum, double& maximum,
                     const std::optional<ValueExtent>& e) {
    automatic = true;
    if (!e || !usable_extent(e->minimum, e->maximum))
        return false;
    std::tie(minimum, maximum) = automatic_range(e->minimum, e->maximum);
    return true;
}

}  // namespace

bool apply_automatic_x_range(PlotViewState& view, const PlotData& doc) {
    return apply_automatic(view.m_AutoX, view.m_XMin, view.m_XMax, doc.x_extent());
}

bool apply_automatic_y_range(PlotViewState& view, const PlotData& doc) {
    return apply_automatic(view.m_AutoY, view.m_YMin, view.m_YMax, doc.y_extent());
}

}  // namespace tarvik
