// Draws one generation of one curve: the line through its points, broken at missing points,
// and the hollow point markers. A solid line one pixel wide is drawn through the points
// collapsed per pixel column (collapsed_curve.h), which paints the same pixels as every
// segment at a fraction of the cost; other pens take the segments one by one.
#pragma once

#include <QColor>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "line_container.h"
#include "plot_view_state.h"

class QPainter;

namespace tarvik {

class StripRecording;

struct CurvePen {
    QColor colour;
    LineStyle style = SOLID;  // NULL_STYLE: no line and no markers; unknown values: solid
    std::int16_t width = 1;   // 0: no line
    int marker_radius = 0;    // 0: no markers
};

enum class ColumnExtents { Cheaper, ReadEveryPoint, BlockSummary };

// A curve drawn strip by strip from left to right: where the next strip's points start, and
// how the columns' extents are found, decided once from the whole plot area so that every
// strip draws the same way.
struct StripCursor {
    std::size_t next = 0;
    bool decided = false;
    bool by_blocks = false;
};

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
    // Draw only the area's pixel columns [first_column, last_column], to which the caller has
    // clipped; the ranges still map onto the whole area. Only for lines drawn column by column
    // (drawn_column_by_column): other lines and markers are drawn whole.
    int first_column = std::numeric_limits<int>::min();
    int last_column = std::numeric_limits<int>::max();
    // For strips drawn from left to right, where the previous strip left off. Null: each
    // strip's points are searched in the whole store.
    StripCursor* strip_cursor = nullptr;
    // For the curves of one strip: the line's runs and joins are recorded there, to be drawn
    // with the others' (strip_recording.h). Only for lines drawn in strips.
    StripRecording* recording = nullptr;
};

// Whether the line can be drawn in strips of columns, each clipped to its strip, and paint the
// same pixels as drawn at once, each strip reading only its own points: a solid one-pixel line
// collapsed per column, without markers, through points whose finite x never decrease.
bool drawn_in_strips(const LineContainer& store, const CurvePen& pen,
                     const CurvePaintOptions& options);

// Draws the points of `store` with the plot's ranges onto plot area `area`. The caller has set
// the clip to the plot area.
void paint_curve(QPainter& painter, const LineContainer& store, const plot_limits& ranges,
                 const PixelRect& area, const CurvePen& pen, const CurvePaintOptions& options = {});

}  // namespace tarvik
