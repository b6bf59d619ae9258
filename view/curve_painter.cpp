#include "curve_painter.h"

#include <QLine>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <algorithm>
#include <cmath>
#include <vector>

#include "axis_map.h"

namespace tarvik {

namespace {

Qt::PenStyle qt_pen_style(std::int16_t style) {
    switch (style) {
        case 1:
            return Qt::DashLine;
        case 2:
            return Qt::DotLine;
        case 3:
            return Qt::DashDotLine;
        case 4:
            return Qt::DashDotDotLine;
        case 5:
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
std::pair<std::size_t, std::size_t> visible_span(const LineContainer& store, const AxisMap& x_map,
                                                 int first_column, int last_column, int margin) {
    const auto& xs = store.x;
    const std::size_t n = xs.size();
    for (std::size_t i = 1; i < n; ++i) {
        if (!(xs[i] >= xs[i - 1]))
            return {0, n};  // decreasing, or NaN
    }
    if (n > 0 && std::isnan(xs[0]))
        return {0, n};
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
    auto first = static_cast<std::size_t>(std::partition_point(xs.begin(), xs.end(), before_area) -
                                          xs.begin());
    auto last = static_cast<std::size_t>(
        std::partition_point(xs.begin() + static_cast<std::ptrdiff_t>(first), xs.end(),
                             not_after_area) -
        xs.begin());
    first = first > 0 ? first - 1 : 0;
    last = std::min(last + 1, n);
    return {first, last};
}

// Batches lines so that QPainter takes them a few thousand at a time.
class LineBatch {
  public:
    explicit LineBatch(QPainter& painter) : painter_(painter) { lines_.reserve(kBatch); }
    ~LineBatch() { flush(); }
    void add(QPoint a, QPoint b) {
        lines_.emplace_back(a, b);
        if (lines_.size() == kBatch)
            flush();
    }
    void flush() {
        if (!lines_.empty())
            painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
        lines_.clear();
    }

  private:
    static constexpr std::size_t kBatch = 4096;
    QPainter& painter_;
    std::vector<QLine> lines_;
};

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

// The same pixels as paint_segments for a solid one-pixel pen: the segments inside one pixel
// column are vertical and together cover the column from its lowest to its highest point, so
// one vertical line stands for them; the segments between columns are drawn as they are.
void paint_collapsed(QPainter& painter, const LineContainer& store, std::size_t first,
                     std::size_t last, const PlotMap& map) {
    LineBatch batch(painter);
    bool in_run = false;  // the previous point was present
    int column = 0;
    int lowest = 0;
    int highest = 0;
    int last_y = 0;
    std::size_t points_in_column = 0;
    auto close_column = [&] {
        if (in_run && points_in_column > 1)
            batch.add(QPoint(column, lowest), QPoint(column, highest));
    };
    for (std::size_t i = first; i < last; ++i) {
        QPoint p;
        if (!place(map, store.x[i], store.y[i], p)) {
            close_column();
            in_run = false;
            continue;
        }
        if (in_run && p.x() == column) {
            lowest = std::min(lowest, p.y());
            highest = std::max(highest, p.y());
            last_y = p.y();
            ++points_in_column;
            continue;
        }
        close_column();
        if (in_run)
            batch.add(QPoint(column, last_y), p);
        in_run = true;
        column = p.x();
        lowest = highest = last_y = p.y();
        points_in_column = 1;
    }
    close_column();
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

}  // namespace

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
        // The reference drawing takes every point; a wide pen reaches its width beyond them.
        const auto [first, last] =
            options.collapse_columns
                ? visible_span(store, map.x, area.left, area.right, pen.width > 1 ? pen.width : 0)
                : std::pair<std::size_t, std::size_t>(0, store.x.size());
        if (options.polylines) {
            paint_polylines(painter, store, first, last, map);
        } else if (options.collapse_columns && qpen.style() == Qt::SolidLine && pen.width == 1) {
            paint_collapsed(painter, store, first, last, map);
        } else {
            paint_segments(painter, store, first, last, map);
        }
    }
    if (pen.marker_radius > 0 && qpen.style() != Qt::NoPen) {
        paint_markers(painter, store, area, pen.marker_radius, map, options.collapse_columns);
    }
}

}  // namespace tarvik
