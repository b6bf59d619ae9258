// How a drawing rectangle divides into margins and the plot area, and where a data point lands
// in the plot area. Screen, printer and hit tests share these numbers.
#pragma once

#include <utility>

#include "axis_map.h"
#include "plot_view_state.h"

namespace tarvik {

// The plot font's measures on the target device (Qt: QFontMetrics height(), leading(),
// averageCharWidth()).
struct TextMetrics {
    int height = 0;
    int external_leading = 0;
    int average_char_width = 0;
};

struct PlotLayout {
    int line_height = 0;   // one text line with a fifth of spacing
    int char_width = 0;    // average character width
    int half_x_width = 0;  // half an x label, in characters, rounded up
    int y_width = 0;       // room for the y labels, in characters
    PixelRect plot_area;
};

// The y labels and one line of margin sit left of the plot area, the title line above it,
// the x labels and the x-axis label line below it and half an x label to its right.
// x_label_width and y_label_width are the formatters' widths in characters.
PlotLayout compute_layout(const PixelRect& r, int x_label_width, int y_label_width,
                          const TextMetrics& metrics);

// The pixel of data point (x, y) in plot area p for the ranges r (see PlotMap).
inline std::pair<int, int> map_point(double x, double y, const plot_limits& r, const PixelRect& p) {
    return PlotMap(r, p).to_pixel(x, y);
}

}  // namespace tarvik
