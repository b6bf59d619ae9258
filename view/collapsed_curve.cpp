#include "collapsed_curve.h"

#include <QPainter>
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "direct_pixels.h"
#include "gallop_search.h"
#include "line_batch.h"
#include "strip_recording.h"

namespace tarvik {

namespace {

// Lowest and highest of n > 0 values; low is NaN when a value is missing. Kept out of line so
// that the accumulators stay in registers (inlined into the painter they were spilled to the
// stack on every point), and returned in two registers rather than through memory. Several
// values at a time in vectors where the processor has them (the compiler leaves this loop
// scalar), the last group overlapping the one before: a value taken twice changes neither
// extreme.
struct YSummary {
    double low;
    double high;
};

YSummary y_summary_one_by_one(const double* ys, std::size_t n) {
    double low = ys[0];
    double high = ys[0];
    bool gap = std::isnan(ys[0]);
    for (std::size_t k = 1; k < n; ++k) {
        const double y = ys[k];
        gap |= std::isnan(y);
        low = y < low ? y : low;
        high = y > high ? y : high;
    }
    if (gap)
        return {std::numeric_limits<double>::quiet_NaN(), 0.0};
    return {low, high};
}

#if defined(__SSE2__)
// minpd/maxpd keep the accumulator when a value is NaN; a missing value is caught by the
// unordered comparison instead.
YSummary y_summary_by_fours(const double* ys, std::size_t n) {  // n >= 4
    __m128d a = _mm_loadu_pd(ys);
    __m128d b = _mm_loadu_pd(ys + 2);
    __m128d missing = _mm_cmpunord_pd(a, b);
    __m128d low = _mm_min_pd(a, b);
    __m128d high = _mm_max_pd(a, b);
    for (std::size_t k = 4; k < n; k += 4) {
        const std::size_t at = k + 4 <= n ? k : n - 4;
        a = _mm_loadu_pd(ys + at);
        b = _mm_loadu_pd(ys + at + 2);
        missing = _mm_or_pd(missing, _mm_cmpunord_pd(a, b));
        low = _mm_min_pd(low, _mm_min_pd(a, b));
        high = _mm_max_pd(high, _mm_max_pd(a, b));
    }
    if (_mm_movemask_pd(missing) != 0)
        return {std::numeric_limits<double>::quiet_NaN(), 0.0};
    return {std::min(_mm_cvtsd_f64(low), _mm_cvtsd_f64(_mm_unpackhi_pd(low, low))),
            std::max(_mm_cvtsd_f64(high), _mm_cvtsd_f64(_mm_unpackhi_pd(high, high)))};
}
#endif

#if defined(__x86_64__) && defined(__GNUC__)
#define TARVIK_Y_SUMMARY_AVX2 1
[[gnu::target("avx2")]] YSummary y_summary_by_eights(const double* ys, std::size_t n) {  // n >= 8
    __m256d a = _mm256_loadu_pd(ys);
    __m256d b = _mm256_loadu_pd(ys + 4);
    __m256d missing = _mm256_cmp_pd(a, b, _CMP_UNORD_Q);
    __m256d low = _mm256_min_pd(a, b);
    __m256d high = _mm256_max_pd(a, b);
    for (std::size_t k = 8; k < n; k += 8) {
        const std::size_t at = k + 8 <= n ? k : n - 8;
        a = _mm256_loadu_pd(ys + at);
        b = _mm256_loadu_pd(ys + at + 4);
        missing = _mm256_or_pd(missing, _mm256_cmp_pd(a, b, _CMP_UNORD_Q));
        low = _mm256_min_pd(low, _mm256_min_pd(a, b));
        high = _mm256_max_pd(high, _mm256_max_pd(a, b));
    }
    if (_mm256_movemask_pd(missing) != 0)
        return {std::numeric_limits<double>::quiet_NaN(), 0.0};
    const __m128d low2 = _mm_min_pd(_mm256_castpd256_pd128(low), _mm256_extractf128_pd(low, 1));
    const __m128d high2 = _mm_max_pd(_mm256_castpd256_pd128(high), _mm256_extractf128_pd(high, 1));
    return {std::min(_mm_cvtsd_f64(low2), _mm_cvtsd_f64(_mm_unpackhi_pd(low2, low2))),
            std::max(_mm_cvtsd_f64(high2), _mm_cvtsd_f64(_mm_unpackhi_pd(high2, high2)))};
}

const bool kHasAvx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}();
#endif

[[gnu::noinline]] YSummary y_summary(const double* ys, std::size_t n) {
#if defined(TARVIK_Y_SUMMARY_AVX2)
    if (n >= 8 && kHasAvx2)
        return y_summary_by_eights(ys, n);
#endif
#if defined(__SSE2__)
    if (n >= 4)
        return y_summary_by_fours(ys, n);
#endif
    return y_summary_one_by_one(ys, n);
}

// Where the runs of a 32-bit image go: gathered by bands of columns and written row by row
// (dense curves, whose runs are tall), or written column by column at once (sparse ones, whose
// runs are a few rows: gathering them costs more than it saves).
enum class RunWriting { ByBands, ByColumns };

// Where the collapsed drawing goes: a column's vertical run and the joins between columns.
// On a 32-bit image the runs are written straight into its rows; elsewhere they are lines.
class CollapsedOutput {
  public:
    CollapsedOutput(QPainter& painter, RunWriting writing, StripRecording* recording)
        : lines_(painter),
          direct_(direct_pixels(painter)),
          by_bands_(writing == RunWriting::ByBands),
          band_(direct_),
          recording_(recording) {
        if (recording_)
            recording_->begin_curve(painter.pen(), direct_, by_bands_);
        // An aliased line paints only columns between its ends; a smoothed one may reach one
        // further on either side.
        if (painter.hasClipping()) {
            const QRect clip = painter.clipBoundingRect().toAlignedRect();
            const int reach = painter.testRenderHint(QPainter::Antialiasing) ? 2 : 0;
            columns_ = {clip.left() - reach, clip.right() + reach};
        }
    }

    bool writes_runs() const { return direct_.bits != nullptr; }

    void run(int column, int top, int bottom) {
        if (writes_runs())
            write(column + direct_.shift.x(), top + direct_.shift.y(), bottom + direct_.shift.y());
        else if (reaches_clip(column, column))
            add_line(QPoint(column, top), QPoint(column, bottom));
    }
    // A join wholly beside the clip is not handed to the painter: a curve drawn in strips has
    // one at each edge of every strip.
    void join(QPoint a, QPoint b) {
        if (reaches_clip(std::min(a.x(), b.x()), std::max(a.x(), b.x())))
            add_line(a, b);
    }

  private:
    void add_line(QPoint a, QPoint b) {
        if (recording_)
            recording_->line(a, b);
        else
            lines_.add(a, b);
    }

    bool reaches_clip(int left, int right) const {
        return right >= columns_.first && left <= columns_.second;
    }

    void write(int x, int top, int bottom) {
        const QRect& clip = direct_.clip;
        if (x < clip.left() || x > clip.right())
            return;
        top = std::max(top, clip.top());
        bottom = std::min(bottom, clip.bottom());
        if (recording_) {
            if (top <= bottom)
                recording_->run(x, top, bottom);
            return;
        }
        if (by_bands_) {
            if (top <= bottom)
                band_.add(x, top, bottom);
            return;
        }
        write_column(direct_, x, top, bottom);
    }

    LineBatch lines_;
    DirectPixels direct_;
    bool by_bands_;
    RunBand band_;
    StripRecording* recording_;
    // The columns the clip holds, in the painter's coordinates; all of them without a clip.
    std::pair<int, int> columns_{std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
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

// The collapsed drawing's state as points are taken in index order: the column being gathered,
// the run of the column before and the join waiting between them.
class ColumnRuns {
  public:
    ColumnRuns(QPainter& painter, const PlotMap& map, RunWriting writing, StripRecording* recording)
        : out_(painter, writing, recording), map_(map) {}

    // Present points of one column, first to last, as if taken one at a time.
    void take(int px, double first_y, double low, double high, double last_y, std::size_t count) {
        if (in_run_ && px == column_) {
            y_low_ = std::min(y_low_, low);
            y_high_ = std::max(y_high_, high);
            y_last_ = last_y;
            points_in_column_ += count;
            return;
        }
        if (in_run_) {
            // The rows of the column that ends and the two ends of the join after it.
            const auto [low_row, high_row] = map_.y.place_two(y_low_, y_high_);
            const auto [last_row, first_row] = map_.y.place_two(y_last_, first_y);
            close_column(low_row, high_row);
            join_pending_ = true;
            join_from_ = QPoint(column_, last_row);
            first_row_ = first_row;
        } else {
            first_row_ = map_.y.place(first_y);
        }
        in_run_ = true;
        column_ = px;
        y_low_ = low;
        y_high_ = high;
        y_last_ = last_y;
        points_in_column_ = count;
    }
    void take_point(double x, double y) {
        if (std::isnan(x) || std::isnan(y))
            break_run();
        else
            take(map_.x.place(x), y, y, y, y, 1);
    }
    // A missing point: the line stops here.
    void break_run() {
        close_column();
        in_run_ = false;
    }
    void finish() { close_column(); }
    // The line ends joined to this point, the first past the columns drawn.
    void finish_at(double x, double y) {
        take_point(x, y);
        finish();
    }

  private:
    void close_column() {
        if (in_run_)
            close_column(map_.y.place(y_low_), map_.y.place(y_high_));
    }
    // Closes the column whose lowest and highest y lie on rows a and b.
    void close_column(int a, int b) {
        Rows rows;
        if (points_in_column_ > 1) {
            rows = {std::min(a, b), std::max(a, b)};
            out_.run(column_, rows.top, rows.bottom);
        }
        const QPoint first(column_, first_row_);
        if (join_pending_ &&
            !(out_.writes_runs() && join_is_covered(join_from_, rows_before_, first, rows)))
            out_.join(join_from_, first);
        join_pending_ = false;
        rows_before_ = rows;
    }

    CollapsedOutput out_;
    const PlotMap& map_;
    bool in_run_ = false;  // the previous point was present
    int column_ = 0;
    // The column's lowest, highest and last y as data values: the mapping never reverses
    // order, so the pixels of the extremes are the extremes of the pixels, and each column
    // maps only these instead of every point.
    double y_low_ = 0.0;
    double y_high_ = 0.0;
    double y_last_ = 0.0;
    std::size_t points_in_column_ = 0;
    // The join into the current column waits until the column is complete, as its run decides
    // whether the join needs drawing.
    bool join_pending_ = false;
    QPoint join_from_;   // the last point of the column before
    Rows rows_before_;   // that column's run
    int first_row_ = 0;  // the current column's first point
};

// No column is placed there.
constexpr int kNotFound = std::numeric_limits<int>::min();

// The columns drawn, [first, last], met in index order by points whose x never decrease:
// left to right where columns grow with x, right to left on a reversed range.
struct DrawnColumns {
    DrawnColumns(const AxisMap& m, int first_column, int last_column)
        : first(first_column), last(last_column), rising(!(m.span * m.direction * m.extent < 0)) {}
    // Whether a point's column comes after all of them; the drawing ends there.
    bool passed(int column) const { return rising ? column > last : column < first; }
    // Whether it comes after any before them: it is drawn or passed.
    bool reached(int column) const { return rising ? column >= first : column <= last; }
    int first;
    int last;
    bool rising;
};

// The x value at the far edge of a pixel column, in the direction of growing x: points with x
// below it lie in that column or before it. It comes from the inverse of the mapping, so it
// may be off by the last bits and is only an estimate; the column's own wider edge at the
// origin (truncation toward zero) makes it early by a column there.
struct ColumnEdges {
    explicit ColumnEdges(const AxisMap& m)
        : minimum(m.minimum),
          origin(m.origin),
          step(m.span / m.extent * m.direction),
          usable(std::isfinite(step) && step != 0.0 && std::isfinite(m.minimum)) {}
    double far_edge(int column) const {
        const double a = minimum + static_cast<double>(column - origin) * step;
        return std::max(a, a + step);
    }
    double minimum;
    int origin;
    double step;  // value per pixel
    bool usable;
};

// The first index in [from, to) whose x is not below `edge` (`to` when none), for x that never
// decrease. Neighbouring columns hold about as many points, so the answer mostly lies within a
// few points of `guess`: there it is counted without branches (a branch on each comparison
// would be mispredicted whenever the column's length changes). Further away it gallops and
// halves.
std::size_t first_not_below(const double* xs, std::size_t from, std::size_t to, double edge,
                            std::size_t guess) {
    constexpr std::size_t kWindow = 8;
    std::size_t low = from;  // every index before low is below the edge
    std::size_t high = to;   // and none from high on
    if (to - from > kWindow) {
        const std::size_t start =
            std::clamp(guess, from + kWindow / 2, to - kWindow / 2) - kWindow / 2;
        std::size_t below = 0;
        for (std::size_t k = 0; k < kWindow; ++k)
            below += xs[start + k] < edge ? 1 : 0;
        const std::size_t answer = start + below;
        if (start > from && !(xs[start - 1] < edge))
            high = start;
        else if (answer == start + kWindow && answer < to && xs[answer] < edge)
            low = answer + 1;
        else
            return answer;
    }
    return first_index_where(low, high, low, [&](std::size_t k) { return !(xs[k] < edge); });
}

}  // namespace

std::size_t paint_collapsed(QPainter& painter, const LineContainer& store, std::size_t first,
                            std::size_t last, bool x_never_decreases, const PlotMap& map,
                            int first_column, int last_column, StripRecording* recording) {
    ColumnRuns runs(painter, map, RunWriting::ByColumns, recording);
    const auto& xs = store.x;
    const auto& ys = store.y;
    if (!x_never_decreases) {
        for (std::size_t i = first; i < last; ++i)
            runs.take_point(xs[i], ys[i]);
        runs.finish();
        return last;
    }
    const DrawnColumns drawn(map.x, first_column, last_column);
    // Columns follow each other in index order. Where each one ends is first estimated by
    // comparing x with the value at the column's far edge (a comparison costs a fraction of
    // placing a point), then settled by placing the two points either side of the estimate,
    // and by a galloping search over the mapped x where the estimate was wrong.
    const ColumnEdges edges(map.x);
    std::size_t i = first;
    std::size_t previous_length = 1;
    // The column of the first point past a column was found by the search: it is the next
    // column's own, so it is not placed again.
    int next_column = kNotFound;
    while (i < last) {
        // The next column's first probes: without asking early, each column waits for memory.
        const std::size_t ahead = i + 2 * previous_length;
        if (ahead < last)
            __builtin_prefetch(xs.data() + ahead);
        const int px = next_column != kNotFound ? next_column : map.x.place(xs[i]);
        next_column = kNotFound;
        if (drawn.passed(px)) {
            runs.finish_at(xs[i], ys[i]);
            return i;
        }
        std::size_t inside = i;  // the last index known to be in the column
        std::size_t beyond = last;
        // Point k lies in column c: in this one, or it bounds it.
        auto settle = [&](std::size_t k, int c) {
            if (c == px) {
                inside = k;
                return true;
            }
            beyond = k;
            next_column = c;
            return false;
        };
        auto probe = [&](std::size_t k) { return settle(k, map.x.place(xs[k])); };
        if (edges.usable) {
            const std::size_t estimate =
                first_not_below(xs.data(), i + 1, last, edges.far_edge(px), i + previous_length);
            if (estimate < last && estimate - 1 > inside) {
                // The two points either side of the estimate, placed together.
                const auto [before, at] = map.x.place_two(xs[estimate - 1], xs[estimate]);
                if (!settle(estimate, at))
                    settle(estimate - 1, before);
            } else {
                if (estimate < last)
                    probe(estimate);
                if (estimate - 1 > inside)
                    probe(estimate - 1);
            }
        } else {
            // Neighbouring columns mostly hold as many points: try that length first.
            const std::size_t guess = i + previous_length;
            if (guess < last && probe(guess - 1))
                probe(guess);
        }
        for (std::size_t step = 1; beyond - inside > 1 && inside + step < beyond; step *= 2) {
            if (!probe(inside + step))
                break;
        }
        while (beyond - inside > 1)
            probe(inside + (beyond - inside) / 2);
        const auto [low, high] = y_summary(ys.data() + i, beyond - i);
        if (std::isnan(low)) {
            for (std::size_t k = i; k < beyond; ++k)
                runs.take_point(xs[k], ys[k]);
        } else {
            runs.take(px, ys[i], low, high, ys[beyond - 1], beyond - i);
        }
        previous_length = beyond - i;
        i = beyond;
    }
    runs.finish();
    return last;
}

std::size_t paint_collapsed_by_blocks(QPainter& painter, const LineContainer& store,
                                      const BlockSummary& summary, const PlotMap& map,
                                      int first_column, int last_column, std::size_t hint,
                                      StripRecording* recording) {
    const double* const xs = store.x.data();
    const double* const ys = store.y.data();
    const std::size_t n = store.x.size();
    const AxisMap& x_map = map.x;
    // A gap point (x NaN) belongs to the column of the last finite x before it, so that columns
    // still follow each other in index order; points before any finite x come before all.
    auto column_at = [&](std::size_t k, std::size_t floor, int floor_column) {
        while (k > floor && std::isnan(xs[k]))
            --k;
        return std::isnan(xs[k]) ? floor_column : x_map.place(xs[k]);
    };

    // The points whose columns lie in the plot area, from one before them to join the curve to
    // the edge; the drawing ends at the first point past them. Columns fall with x on a
    // reversed range.
    const DrawnColumns drawn(x_map, first_column, last_column);
    const int before_all = drawn.rising ? std::numeric_limits<int>::min() : kPixelLimit + 1;
    std::size_t first = first_index_where(
        0, n, hint, [&](std::size_t k) { return drawn.reached(column_at(k, 0, before_all)); });
    first = first > 0 ? first - 1 : 0;
    const std::size_t last = n;

    ColumnRuns runs(painter, map, RunWriting::ByBands, recording);
    std::size_t i = first;
    std::size_t previous_length = 1;
    // The column of the first point past a column was found by the search: it is the next
    // column's own, so it is not placed again.
    int next_column = kNotFound;
    while (i < last) {
        if (std::isnan(xs[i])) {
            runs.break_run();
            next_column = kNotFound;
            ++i;
            continue;
        }
        // The next column's memory: its probes and its blocks.
        const std::size_t ahead = i + 2 * previous_length;
        if (ahead < last) {
            __builtin_prefetch(xs + ahead);
            summary.prefetch_around(ys, ahead, previous_length);
        }
        const int px = next_column != kNotFound ? next_column : x_map.place(xs[i]);
        next_column = kNotFound;
        if (drawn.passed(px)) {
            runs.finish_at(xs[i], ys[i]);
            return i;
        }
        std::size_t inside = i;  // the last index known to be in the column
        std::size_t beyond = last;
        auto probe = [&](std::size_t k) {
            std::size_t j = k;
            while (j > inside && std::isnan(xs[j]))
                --j;
            const int c = j == inside ? px : x_map.place(xs[j]);
            if (c == px) {
                inside = k;
                return true;
            }
            beyond = j;
            next_column = c;
            return false;
        };
        // Neighbouring columns mostly hold about as many points: try that length first and
        // gallop from there, forward or back.
        const std::size_t guess = i + previous_length;
        if (guess < last && !probe(guess - 1)) {
            for (std::size_t step = 1; beyond - inside > step; step *= 2) {
                if (probe(beyond - step))
                    break;
            }
        } else {
            for (std::size_t step = 1; inside + step < beyond; step *= 2) {
                if (!probe(inside + step))
                    break;
            }
        }
        while (beyond - inside > 1)
            probe(inside + (beyond - inside) / 2);

        const YExtent e = summary.extent(xs, ys, i, beyond);
        if (!e.gap) {
            runs.take(px, ys[i], e.low, e.high, ys[beyond - 1], beyond - i);
        } else {
            summary.for_each_piece(
                i, beyond,
                [&](std::size_t a, std::size_t b, double low, double high) {
                    runs.take(px, ys[a], low, high, ys[b - 1], b - a);
                },
                [&](std::size_t k) { runs.take_point(xs[k], ys[k]); });
        }
        previous_length = beyond - i;
        i = beyond;
    }
    runs.finish();
    return n;
}

}  // namespace tarvik
