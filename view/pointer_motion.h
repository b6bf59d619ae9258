// How the pointer moves the visible ranges: dragging pans them, the wheel zooms about the
// pointer. Plain arithmetic on the ranges; the widget supplies pixels.
#pragma once

#include "plot_view_state.h"

namespace tarvik {

class PlotData;

// A drag of (dx, dy) pixels: the plot follows the pointer, scaled by the client rectangle (not
// the plot area, so it moves a little slower than the pointer). Dragging right shows smaller x
// values, dragging down larger y values. An axis of a rectangle without extent stays.
void pan_ranges(plot_limits& ranges, const PixelRect& client, int dx, int dy);

// The zoom factor of a wheel turn: 120 units (one notch) forward shows 0.8 of the span.
double wheel_zoom_factor(int angle_delta);

// A double click: back to the ranges of the data, both marked automatic (x only outside
// x-scrollbar mode, where the x range belongs to the scroll bar). An inverted y axis stays
// inverted. An axis whose data give no range keeps its limits.
void restore_data_ranges(PlotViewState& state, const PlotData& doc);

// Which axes a wheel turn changes.
struct ZoomAxes {
    bool x = true;
    bool y = true;
};

// Scales the spans by `factor` about the values under pixel (px, py) of plot area `area`, so
// they stay under the pointer. An axis whose new span would be zero or not finite stays as it
// was. Returns the axes that changed.
ZoomAxes zoom_ranges(plot_limits& ranges, const PixelRect& area, int px, int py, double factor,
                     ZoomAxes axes);

}  // namespace tarvik
