#include "curve_painter.h"

#include <QPainter>
#include <QPen>
#include <QPoint>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "axis_map.h"
#include "collapsed_curve.h"
#include "gallop_search.h"
#include "line_batch.h"

namespace tarvik {

namespace {

Qt::PenStyle qt_pen_style(LineStyle style) {
    switch (style) {
        case DASH:
            return Qt::DashLine;
        case DOT:
            return Qt::DotLine;
        case DASHDOT:
            return Qt::DashDotLine;
        case DASHDOTDOT:
            return Qt::DashDotDotLine;
        case NULL_STYLE:
            return Qt::NoPen;
        default:
            return Qt::SolidLine;
    }
}

// The pixel of a data point; false for a missing point.
bool place(const PlotMap& map, double x, double y, QPoint& out) {
    const auto [px, py] = map.to_pixel(x, y);
    if (px == kMissingPixel)
        return false;
    out = QPoint(px, py);
    return true;
}

// The index range worth drawing. When x never decreases, the pixel columns of the points never
// move back either, so two binary searches over the mapped columns find the points whose
// columns lie in the plot area (widened by `margin` for wide pens); one point more on each side
// joins the curve to the edge. Searching mapped columns rather than x values keeps the points
// a fraction of a pixel outside the range: truncation puts them in the edge columns.
struct Span {
    std::size_t first;
    std::size_t last;
    bool x_never_decreases;  // and holds no NaN
};

// The first index where `holds` fails, for a `holds` that holds up to some index and fails from
// there, searched from `hint` (a strip starts from where the strip before it ended).
template <typename Series, typename Holds>
std::size_t partition_from(const Series& xs, std::size_t hint, Holds&& holds) {
    return first_index_where(0, xs.size(), hint, [&](std::size_t k) { return !holds(xs[k]); });
}

// With a strip cursor (columns rising with x), only the first point is searched, from where
// the strip before ended, and the span runs to the end of the store: the collapsed drawing
// stops by itself at the first point past the strip.
Span visible_span(const LineContainer& store, const AxisMap& x_map, int first_column,
                  int last_column, int margin, const StripCursor* cursor = nullptr) {
    const auto& xs = store.x;
    const std::size_t n = xs.size();
    if (!store.x_never_decreases())
        return {0, n, false};
    const int low = first_column - margin;
    const int high = last_column + margin;
    // Columns fall with x on a reversed range.
    const bool rising = !(x_map.span * x_map.direction * x_map.extent < 0);
    auto before_area = [&](double x) {
        const int c = x_map.place(x);
        return rising ? c < low : c > high;
    };
    auto not_after_area = [&](double x) {
        const int c = x_map.place(x);
        return rising ? c <= high : c >= low;
    };
    std::size_t first = partition_from(xs, cursor ? cursor->next : 0, before_area);
    std::size_t last = cursor ? n : partition_from(xs, first, not_after_area);
    first = first > 0 ? first - 1 : 0;
    last = std::min(last + 1, n);
    return {first, last, true};
}

void paint_segments(QPainter& painter, const LineContainer& store, std::size_t first,
                    std::size_t last, const PlotMap& map) {
    LineBatch batch(painter);
    QPoint previous;
    bool have_previous = false;
    for (std::size_t i = first; i < last; ++i) {
        QPoint p;
        if (!place(map, store.x[i], store.y[i], p)) {
            have_previous = false;
            continue;
        }
        if (have_previous)
            batch.add(previous, p);
        previous = p;
        have_previous = true;
    }
}

void paint_polylines(QPainter& painter, const LineContainer& store, std::size_t first,
                     std::size_t last, const PlotMap& map) {
    std::vector<QPoint> run;
    auto flush = [&] {
        if (run.size() > 1)
            painter.drawPolyline(run.data(), static_cast<int>(run.size()));
        run.clear();
    };
    for (std::size_t i = first; i < last; ++i) {
        QPoint p;
        if (!place(map, store.x[i], store.y[i], p)) {
            flush();
            continue;
        }
        run.push_back(p);
    }
    flush();
}

void paint_markers(QPainter& painter, const LineContainer& store, const PixelRect& area, int radius,
                   const PlotMap& map, bool skip_repeats) {
    painter.setBrush(Qt::NoBrush);
    const std::size_t n = store.x.size();
    QPoint previous;
    bool have_previous = false;
    for (std::size_t i = 0; i < n; ++i) {
        QPoint p;
        if (!place(map, store.x[i], store.y[i], p))
            continue;
        if (i == 0 && p.x() <= area.left)
            continue;
        if (i + 1 == n && p.x() > area.right)
            continue;
        // A marker at the pixel of the one just drawn would paint the same pixels again.
        if (skip_repeats && have_previous && p == previous)
            continue;
        painter.drawEllipse(p, radius, radius);
        previous = p;
        have_previous = true;
    }
}

// Whether a collapsed line is drawn through the block summary: reading a few hundred points
// per column costs less than searching the summary, and a span that holds missing x or x that
// turn back is read point by point.
bool by_blocks(ColumnExtents way, const Span& span, int first_column, int last_column) {
    constexpr std::size_t kPointsPerColumnWorthSummarising = 256;
    switch (way) {
        case ColumnExtents::ReadEveryPoint:
            return false;
        case ColumnExtents::BlockSummary:
            return true;
        case ColumnExtents::Cheaper:
            break;
    }
    const auto columns = static_cast<std::size_t>(
        std::max<std::int64_t>(std::int64_t{last_column} - first_column + 1, 1));
    return !span.x_never_decreases ||
           span.last - span.first > kPointsPerColumnWorthSummarising * columns;
}

}  // namespace

bool drawn_in_strips(const LineContainer& store, const CurvePen& pen,
                     const CurvePaintOptions& options) {
    return options.collapse_columns && !options.polylines && pen.width == 1 &&
           pen.marker_radius == 0 && qt_pen_style(pen.style) == Qt::SolidLine &&
           (store.x_never_decreases() || store.block_summary() != nullptr);
}

void paint_curve(QPainter& painter, const LineContainer& store, const plot_limits& ranges,
                 const PixelRect& area, const CurvePen& pen, const CurvePaintOptions& options) {
    if (store.x.empty())
        return;
    QPen qpen(pen.colour);
    qpen.setStyle(qt_pen_style(pen.style));
    qpen.setWidth(std::max<int>(pen.width, 1));
    qpen.setCosmetic(pen.width <= 1);
    painter.setPen(qpen);
    const PlotMap map(ranges, area);

    if (pen.width > 0 && qpen.style() != Qt::NoPen) {
        const bool strip = drawn_in_strips(store, pen, options);
        int first_column = strip ? std::max(options.first_column, area.left) : area.left;
        int last_column = strip ? std::min(options.last_column, area.right) : area.right;
        if (strip && last_column < first_column)
            return;
        // A strip takes the whole column on either side of it too (outside its clip), so that
        // whether the joins across its edges are covered by runs is decided as drawn at once.
        if (strip && (first_column > area.left || last_column < area.right)) {
            first_column = std::max(first_column - 1, area.left);
            last_column = std::min(last_column + 1, area.right);
        }
        const BlockSummary* summary = store.block_summary();
        // Strips go left to right, which is forward through the points on a rising range.
        StripCursor* cursor = strip && map.x.span * map.x.direction * map.x.extent > 0
                                  ? options.strip_cursor
                                  : nullptr;
        if (cursor && !cursor->decided) {
            const Span whole = visible_span(store, map.x, area.left, area.right, 0);
            cursor->by_blocks =
                summary && by_blocks(options.column_extents, whole, area.left, area.right);
            cursor->decided = true;
        }
        // The reference drawing takes every point; a wide pen reaches its width beyond them.
        const Span span = options.collapse_columns
                              ? visible_span(store, map.x, first_column, last_column,
                                             pen.width > 1 ? pen.width : 0, cursor)
                              : Span{0, store.x.size(), false};
        const std::size_t first = span.first;
        const std::size_t last = span.last;
        StripRecording* const recording = strip ? options.recording : nullptr;
        if (options.polylines) {
            paint_polylines(painter, store, first, last, map);
        } else if (options.collapse_columns && qpen.style() == Qt::SolidLine && pen.width == 1) {
            const bool summarised = cursor ? cursor->by_blocks
                                           : summary && by_blocks(options.column_extents, span,
                                                                  first_column, last_column);
            const std::size_t end =
                summarised
                    ? paint_collapsed_by_blocks(painter, store, *summary, map, first_column,
                                                last_column, cursor ? cursor->next : 0, recording)
                    : paint_collapsed(painter, store, first, last, span.x_never_decreases, map,
                                      first_column, last_column, recording);
            if (cursor)
                cursor->next = end;
        } else {
            paint_segments(painter, store, first, last, map);
        }
    }
    if (pen.marker_radius > 0 && qpen.style() != Qt::NoPen) {
        paint_markers(painter, store, area, pen.marker_radius, map, options.collapse_columns);
    }
}

}  // namespace tarvik
