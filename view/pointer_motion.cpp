#include "pointer_motion.h"

#include <cmath>

#include <utility>

#include "automatic_range.h"
#include "axis_map.h"

namespace tarvik {

void pan_ranges(plot_limits& ranges, const PixelRect& client, int dx, int dy) {
    if (client.right != client.left) {
        const double kx = (ranges.m_XMax - ranges.m_XMin) / (client.left - client.right);
        ranges.m_XMin += kx * dx;
        ranges.m_XMax += kx * dx;
    }
    if (client.bottom != client.top) {
        const double ky = (ranges.m_YMax - ranges.m_YMin) / (client.bottom - client.top);
        ranges.m_YMin += ky * dy;
        ranges.m_YMax += ky * dy;
    }
}

void restore_data_ranges(PlotViewState& state, const PlotData& doc) {
    if (!state.m_XScrollbarMode)
        apply_automatic_x_range(state, doc);
    const bool inverted = state.m_YMin > state.m_YMax;
    if (apply_automatic_y_range(state, doc) && inverted)
        std::swap(state.m_YMin, state.m_YMax);
}

double wheel_zoom_factor(int angle_delta) {
    return std::pow(0.8, angle_delta / 120.0);
}

namespace {

// Scales [minimum, maximum] by factor about `centre`; false when the result is unusable.
bool scale_about(double& minimum, double& maximum, double centre, double factor) {
    const double low = centre + (minimum - centre) * factor;
    const double high = centre + (maximum - centre) * factor;
    if (!std::isfinite(low) || !std::isfinite(high) || low == high)
        return false;
    minimum = low;
    maximum = high;
    return true;
}

}  // namespace

ZoomAxes zoom_ranges(plot_limits& ranges, const PixelRect& area, int px, int py, double factor,
                     ZoomAxes axes) {
    ZoomAxes changed{false, false};
    if (!std::isfinite(factor) || factor <= 0.0)
        return changed;
    const PlotMap map(ranges, area);
    if (axes.x && area.width() != 0)
        changed.x = scale_about(ranges.m_XMin, ranges.m_XMax, map.x.to_value(px), factor);
    if (axes.y && area.height() != 0)
        changed.y = scale_about(ranges.m_YMin, ranges.m_YMax, map.y.to_value(py), factor);
    return changed;
}

}  // namespace tarvik
