// Draws one generation of one curve: the line through its points, broken at missing points,
// and the hollow point markers. A solid line one pixel wide is drawn through the points
// collapsed per pixel column (collapsed_curve.h), which paints the same pixels as every
// segment at a fraction of the cost; other pens take the segments one by one.
#pragma once

#include <QColor>
#include <cstdint>

#include "line_container.h"
#include "plot_view_state.h"

class QPainter;

namespace tarvik {

struct CurvePen {
    QColor colour;
    LineStyle style = SOLID;  // NULL_STYLE: no line and no markers; unknown values: solid
    std::int16_t width = 1;   // 0: no line
    int marker_radius = 0;    // 0: no markers
};

struct CurvePaintOptions {
    // Collapse solid one-pixel lines per pixel column and skip markers repeated at one pixel;
    // off draws every segment and every marker (the reference the fast drawing is compared
    // with).
    bool collapse_columns = true;
    // Join the points by polylines broken at missing points, so a dashed pen's pattern runs on
    // across points (the printed page); takes precedence over collapse_columns for the line.
    bool polylines = false;
    // Summarise each column's points through the store's block summary where it keeps one;
    // off reads every point of the visible span (the reference the summary drawing is compared
    // with, pixel for pixel).
    bool use_block_summary = true;
};

// Draws the points of `store` with the plot's ranges onto plot area `area`. The caller has set
// the clip to the plot area.
void paint_curve(QPainter& painter, const LineContainer& store, const plot_limits& ranges,
                 const PixelRect& area, const CurvePen& pen, const CurvePaintOptions& options = {});

}  // namespace tarvik
