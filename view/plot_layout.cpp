#include "plot_layout.h"

#include <algorithm>
#include <cstdint>

namespace tarvik {

namespace {

// Margins of a huge font or of very long labels stay within what a pixel position can hold.
int held(double v) {
    return static_cast<int>(std::clamp<double>(v, -kPixelLimit, kPixelLimit));
}

}  // namespace

PlotLayout compute_layout(const PixelRect& r, int x_label_width, int y_label_width,
                          const TextMetrics& metrics) {
    PlotLayout l;
    l.line_height = held((static_cast<double>(metrics.height) + metrics.external_leading) * 1.2);
    l.char_width = metrics.average_char_width;
    l.half_x_width = (x_label_width + 1) / 2;
    l.y_width = std::max(y_label_width, l.half_x_width);
    const double a = l.char_width;
    l.plot_area.left = held(r.left + l.y_width * a + l.line_height);
    l.plot_area.top = held(static_cast<double>(r.top) + l.line_height);
    l.plot_area.right = held(r.right - l.half_x_width * a);
    l.plot_area.bottom = held(r.bottom - 2.0 * l.line_height);
    return l;
}

}  // namespace tarvik
