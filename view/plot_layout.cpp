#include "plot_layout.h"

#include <algorithm>
#include <cmath>

namespace tarvik {

PlotLayout compute_layout(const PixelRect& r, int x_label_width, int y_label_width,
                          const TextMetrics& metrics) {
    PlotLayout l;
    l.line_height = static_cast<int>((metrics.height + metrics.external_leading) * 1.2);
    l.char_width = metrics.average_char_width;
    l.half_x_width = (x_label_width + 1) / 2;
    l.y_width = std::max(y_label_width, l.half_x_width);
    l.plot_area.left = r.left + l.y_width * l.char_width + l.line_height;
    l.plot_area.top = r.top + l.line_height;
    l.plot_area.right = r.right - l.half_x_width * l.char_width;
    l.plot_area.bottom = r.bottom - 2 * l.line_height;
    return l;
}

namespace {

// origin + direction × truncate(fraction × extent), held within ±kPixelLimit. A NaN fraction
// (a zero-width range at its own value, or infinities) counts as the origin.
int place(int origin, int direction, double fraction, int extent) {
    double offset = std::trunc(fraction * extent);
    if (std::isnan(offset))
        offset = 0.0;
    constexpr double limit = kPixelLimit;
    return static_cast<int>(std::clamp(origin + direction * offset, -limit, limit));
}

}  // namespace

std::pair<int, int> map_point(double x, double y, const plot_limits& r, const PixelRect& p) {
    if (std::isnan(x) || std::isnan(y))
        return {kMissingPixel, kMissingPixel};
    const int px = place(p.left, 1, (x - r.m_XMin) / (r.m_XMax - r.m_XMin), p.width());
    const int py = place(p.bottom, -1, (y - r.m_YMin) / (r.m_YMax - r.m_YMin), p.height());
    return {px, py};
}

}  // namespace tarvik
