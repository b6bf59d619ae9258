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

enum class ColumnExtents { Cheaper, ReadEveryPoint, BlockSummary };

struct CurvePaintOptions {
    // Collapse solid one-pixel lines per pixel column and skip markers repeated at one pixel;
    // off draws every segment and every marker (the reference the fast drawing is compared
    // with).
    bool collapse_columns = true;
    // Join the points by polylines broken at missing points, so a dashed pen's pattern runs on
    // across points (the printed page); takes precedence over collapse_columns for the line.
    bool polylines = false;
    // How a collapsed line finds each column's points and their extent: by reading every point
    // of the visible span, through the store's block summary (where it keeps one), or whichever
    // costs less for the points per column. Both draw the same picture, pixel for pixel.
    ColumnExtents column_extents = ColumnExtents::Cheaper;
};

// Draws the points of `store` with the plot's ranges onto plot area `area`. The caller has set
// the clip to the plot area.
void paint_curve(QPainter& painter, const LineContainer& store, const plot_limits& ranges,
                 const PixelRect& area, const CurvePen& pen, const CurvePaintOptions& options = {});

}  // namespace tarvik
