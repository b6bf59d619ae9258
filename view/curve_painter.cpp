#include "curve_painter.h"

#include <QImage>
#include <QLine>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
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

Span visible_span(const LineContainer& store, const AxisMap& x_map, int first_column,
                  int last_column, int margin) {
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
    auto first = static_cast<std::size_t>(std::partition_point(xs.begin(), xs.end(), before_area) -
                                          xs.begin());
    auto last = static_cast<std::size_t>(
        std::partition_point(xs.begin() + static_cast<std::ptrdiff_t>(first), xs.end(),
                             not_after_area) -
        xs.begin());
    first = first > 0 ? first - 1 : 0;
    last = std::min(last + 1, n);
    return {first, last, true};
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

struct YSummary {
    double low;
    double high;
    bool gap;  // a missing point among them
};

// Lowest and highest of n > 0 values. Kept out of line so that the accumulators stay in
// registers (inlined into the painter they were spilled to the stack on every point), and in
// two independent pairs so that consecutive comparisons need not wait for each other.
[[gnu::noinline]] YSummary y_summary(const double* ys, std::size_t n) {
    double low[2] = {ys[0], ys[0]};
    double high[2] = {ys[0], ys[0]};
    bool gap = false;
    std::size_t k = 0;
    for (; k + 1 < n; k += 2) {
        for (int j = 0; j < 2; ++j) {
            const double y = ys[k + static_cast<std::size_t>(j)];
            gap |= std::isnan(y);
            low[j] = y < low[j] ? y : low[j];
            high[j] = y > high[j] ? y : high[j];
        }
    }
    if (k < n) {
        gap |= std::isnan(ys[k]);
        low[0] = ys[k] < low[0] ? ys[k] : low[0];
        high[0] = ys[k] > high[0] ? ys[k] : high[0];
    }
    return {std::min(low[0], low[1]), std::max(high[0], high[1]), gap};
}

// Whether a run of the pen's colour can be written into the device's pixels and look exactly
// like a solid one-pixel line: an opaque colour put over the raster image pixel for pixel
// (whole-pixel shifts only), inside a clip.
bool runs_can_be_written(const QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    const QTransform& t = painter.transform();
    return engine && engine->type() == QPaintEngine::Raster && painter.hasClipping() &&
           t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) &&
           t.dy() == std::floor(t.dy()) && painter.opacity() == 1.0 &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
           !painter.testRenderHint(QPainter::Antialiasing) && painter.pen().color().alpha() == 255;
}

// The 32-bit image a painter draws on, where runs can be written straight into its rows at a
// fraction of the cost of lines. Empty when the device is anything else.
struct DirectPixels {
    std::uint32_t* bits = nullptr;
    qsizetype words_per_row = 0;
    QPoint shift;  // from logical to image pixels
    QRect clip;    // in image pixels
    std::uint32_t colour = 0;
};

DirectPixels direct_pixels(QPainter& painter) {
    DirectPixels d;
    QPaintDevice* device = painter.device();
    if (!runs_can_be_written(painter) || !device || device->devType() != QInternal::Image ||
        device->devicePixelRatio() != 1.0)
        return d;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return d;
    const QRegion clip = painter.clipRegion();
    if (clip.rectCount() != 1)
        return d;
    d.shift = QPoint(static_cast<int>(painter.transform().dx()),
                     static_cast<int>(painter.transform().dy()));
    d.clip = clip.boundingRect().translated(d.shift).intersected(image->rect());
    // The painter has already made the image's pixels its own: write where it writes.
    d.bits = reinterpret_cast<std::uint32_t*>(const_cast<uchar*>(image->constBits()));
    d.words_per_row = image->bytesPerLine() / 4;
    // Opaque, so premultiplied or not the word is the same; RGB32 keeps 0xFF in the top byte.
    d.colour = painter.pen().color().rgba();
    return d;
}

// Where the collapsed drawing goes: a column's vertical run and the joins between columns.
// On a 32-bit image the runs are written straight into its rows; elsewhere they are lines.
class CollapsedOutput {
  public:
    explicit CollapsedOutput(QPainter& painter)
        : lines_(painter), direct_(direct_pixels(painter)) {}

    bool writes_runs() const { return direct_.bits != nullptr; }

    void run(int column, int top, int bottom) {
        if (writes_runs())
            write(column + direct_.shift.x(), top + direct_.shift.y(), bottom + direct_.shift.y());
        else
            lines_.add(QPoint(column, top), QPoint(column, bottom));
    }
    void join(QPoint a, QPoint b) { lines_.add(a, b); }

  private:
    void write(int x, int top, int bottom) {
        const QRect& clip = direct_.clip;
        if (x < clip.left() || x > clip.right())
            return;
        top = std::max(top, clip.top());
        bottom = std::min(bottom, clip.bottom());
        std::uint32_t* pixel = direct_.bits + top * direct_.words_per_row + x;
        for (int row = top; row <= bottom; ++row, pixel += direct_.words_per_row)
            *pixel = direct_.colour;
    }

    LineBatch lines_;
    DirectPixels direct_;
};

// Rows [top, bottom] of a column's run; empty for a column of one point, which has no run.
struct Rows {
    int top = 0;
    int bottom = -1;
    bool holds(int row) const { return top <= row && row <= bottom; }
};

// Whether the runs of two neighbouring columns already paint every pixel of the join from
// `from` (the last point of one column) to `to` (the first of the next). A line between whole
// pixels paints only within their bounding box: one pixel per row, in one of the two columns,
// or for a step of at most one row just its two ends. Each end lies in its own column's run.
bool join_is_covered(QPoint from, Rows from_rows, QPoint to, Rows to_rows) {
    if (std::abs(to.x() - from.x()) != 1 || from_rows.top > from_rows.bottom ||
        to_rows.top > to_rows.bottom)
        return false;
    if (std::abs(to.y() - from.y()) <= 1)
        return true;
    return from_rows.holds(to.y()) && to_rows.holds(from.y());
}

// The same pixels as paint_segments for a solid one-pixel pen: the segments inside one pixel
// column are vertical and together cover the column from its lowest to its highest point, so
// one vertical run stands for them; the segments between columns are drawn as they are,
// unless the runs at both ends already cover them.
void paint_collapsed(QPainter& painter, const LineContainer& store, const Span& span,
                     const PlotMap& map) {
    CollapsedOutput out(painter);
    bool in_run = false;  // the previous point was present
    int column = 0;
    // The column's lowest, highest and last y as data values: the mapping never reverses
    // order, so the pixels of the extremes are the extremes of the pixels, and each column
    // maps only these instead of every point.
    double y_low = 0.0;
    double y_high = 0.0;
    double y_last = 0.0;
    std::size_t points_in_column = 0;
    // The join into the current column waits until the column is complete, as its run decides
    // whether the join needs drawing.
    bool join_pending = false;
    QPoint join_from;   // the last point of the column before
    Rows rows_before;   // that column's run
    int first_row = 0;  // the current column's first point
    auto close_column = [&] {
        if (!in_run)
            return;
        Rows rows;
        if (points_in_column > 1) {
            const int a = map.y.place(y_low);
            const int b = map.y.place(y_high);
            rows = {std::min(a, b), std::max(a, b)};
            out.run(column, rows.top, rows.bottom);
        }
        const QPoint first(column, first_row);
        if (join_pending &&
            !(out.writes_runs() && join_is_covered(join_from, rows_before, first, rows)))
            out.join(join_from, first);
        join_pending = false;
        rows_before = rows;
    };
    auto break_run = [&] {
        close_column();
        in_run = false;
    };
    // Present points of one column, first to last, as if taken one at a time.
    auto take = [&](int px, double first_y, double low, double high, double last_y,
                    std::size_t count) {
        if (in_run && px == column) {
            y_low = std::min(y_low, low);
            y_high = std::max(y_high, high);
            y_last = last_y;
            points_in_column += count;
            return;
        }
        close_column();
        if (in_run) {
            join_pending = true;
            join_from = QPoint(column, map.y.place(y_last));
        }
        in_run = true;
        column = px;
        first_row = map.y.place(first_y);
        y_low = low;
        y_high = high;
        y_last = last_y;
        points_in_column = count;
    };
    auto take_point = [&](double x, double y) {
        if (std::isnan(x) || std::isnan(y))
            break_run();
        else
            take(map.x.place(x), y, y, y, y, 1);
    };
    const auto& xs = store.x;
    const auto& ys = store.y;
    if (!span.x_never_decreases) {
        for (std::size_t i = span.first; i < span.last; ++i)
            take_point(xs[i], ys[i]);
        close_column();
        return;
    }
    // Columns follow each other in index order: find where each one ends with a galloping
    // search over the mapped x, and take its points together.
    std::size_t i = span.first;
    std::size_t previous_length = 1;
    // The column of the first point past a column was found by the search: it is the next
    // column's own, so it is not placed again.
    constexpr int kNotFound = std::numeric_limits<int>::min();  // no column is placed there
    int next_column = kNotFound;
    while (i < span.last) {
        // The next column's first probes: without asking early, each column waits for memory.
        const std::size_t ahead = i + 2 * previous_length;
        if (ahead < span.last)
            __builtin_prefetch(xs.data() + ahead);
        const int px = next_column != kNotFound ? next_column : map.x.place(xs[i]);
        next_column = kNotFound;
        std::size_t inside = i;  // the last index known to be in the column
        std::size_t beyond = span.last;
        auto probe = [&](std::size_t k) {
            const int c = map.x.place(xs[k]);
            if (c == px) {
                inside = k;
                return true;
            }
            beyond = k;
            next_column = c;
            return false;
        };
        // Neighbouring columns mostly hold as many points: try that length first.
        const std::size_t guess = i + previous_length;
        if (guess < span.last && probe(guess - 1))
            probe(guess);
        for (std::size_t step = 1; beyond - inside > 1 && inside + step < beyond; step *= 2) {
            if (!probe(inside + step))
                break;
        }
        while (beyond - inside > 1)
            probe(inside + (beyond - inside) / 2);
        const auto [low, high, gap] = y_summary(ys.data() + i, beyond - i);
        if (gap) {
            for (std::size_t k = i; k < beyond; ++k)
                take_point(xs[k], ys[k]);
        } else {
            take(px, ys[i], low, high, ys[beyond - 1], beyond - i);
        }
        previous_length = beyond - i;
        i = beyond;
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
        const Span span =
            options.collapse_columns
                ? visible_span(store, map.x, area.left, area.right, pen.width > 1 ? pen.width : 0)
                : Span{0, store.x.size(), false};
        const std::size_t first = span.first;
        const std::size_t last = span.last;
        if (options.polylines) {
            paint_polylines(painter, store, first, last, map);
        } else if (options.collapse_columns && qpen.style() == Qt::SolidLine && pen.width == 1) {
            paint_collapsed(painter, store, span, map);
        } else {
            paint_segments(painter, store, first, last, map);
        }
    }
    if (pen.marker_radius > 0 && qpen.style() != Qt::NoPen) {
        paint_markers(painter, store, area, pen.marker_radius, map, options.collapse_columns);
    }
}

}  // namespace tarvik
