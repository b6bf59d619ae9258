#include "plot_layout.h"

#include <algorithm>

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

}  // namespace tarvik
