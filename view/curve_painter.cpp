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

// The index range worth drawing: when x never decreases, the points outside the visible x
// range (but the one just before and just after it) map outside the plot and are skipped.
std::pair<std::size_t, std::size_t> visible_span(const LineContainer& store, const plot_limits& r) {
    const auto& xs = store.x;
    const std::size_t n = xs.size();
    for (std::size_t i = 1; i < n; ++i) {
        if (!(xs[i] >= xs[i - 1]))
            return {0, n};  // decreasing, or NaN
    }
    if (n > 0 && std::isnan(xs[0]))
        return {0, n};
    const double low = std::min(r.m_XMin, r.m_XMax);
    const double high = std::max(r.m_XMin, r.m_XMax);
    auto first = static_cast<std::size_t>(std::lower_bound(xs.begin(), xs.end(), low) - xs.begin());
    auto last = static_cast<std::size_t>(std::upper_bound(xs.begin(), xs.end(), high) - xs.begin());
    first = first > 0 ? first - 1 : 0;
    last = std::min(last + 1, n);
    return {first, std::max(first, last)};
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
        const auto [first, last] = visible_span(store, ranges);
        if (options.collapse_columns && qpen.style() == Qt::SolidLine && pen.width == 1) {
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
