// The points of one curve as taken from its data file: x, y, the calendar time each point
// was taken in, running ranges that ignore NaN, and how many file lines have been taken.
// Copies are cheap: a copy shares the points it has in common with its source (see
// SharedSeries) and is still an independent value.
#pragma once

#include <cstdint>
#include <utility>

#include "block_summary.h"
#include "point_times.h"
#include "resume_point.h"
#include "shared_series.h"

namespace tarvik {

class LineContainer {
  public:
    LineContainer();

    // Appends a point stamped with the current calendar time.
    void add_point(double px, double py);
    // Appends a point with a time stamp the caller read from the clock (the reader reads the
    // clock once for a run of lines instead of once per line).
    void add_point(double px, double py, std::int64_t stamp);
    // Empties the store but keeps room in x and y for as many points as it held.
    void clear();
    // Makes room for n points that this store may write in place.
    void reserve(std::size_t n);
    void note_line_taken() { ++lines_taken; }

    std::pair<double, double> x_range() const { return {x_min, x_max}; }
    // True while no x is NaN or below the one before it: drawing can then search the points
    // by x instead of reading them all.
    bool x_never_decreases() const { return x_never_decreases_; }
    // True while no x that is not NaN lies below one before it; points with a NaN x (gaps)
    // may lie anywhere.
    bool finite_x_never_decrease() const { return finite_x_never_decrease_; }
    // The y extents by blocks of points, kept while the finite x never decrease (drawing
    // searches columns by x then); null otherwise.
    const BlockSummary* block_summary() const {
        return finite_x_never_decrease_ ? &summary_ : nullptr;
    }
    std::pair<double, double> y_range() const { return {y_min, y_max}; }

    std::int32_t count = 0;
    SharedSeries<double> x;
    SharedSeries<double> y;
    PointTimes time;
    double x_min;
    double x_max;
    double y_min;
    double y_max;
    std::int32_t lines_taken = 0;

    // Where the next new-lines-only read may continue without walking the file again.
    ResumePoint resume;

  private:
    void reset_ranges();
    void note_order(double px);

    bool x_never_decreases_ = true;
    bool finite_x_never_decrease_ = true;
    double last_finite_x_ = 0.0;  // of the points so far; meaningful when one has a finite x
    bool have_finite_x_ = false;
    BlockSummary summary_;
};

// Seconds since 1970-01-01 00:00:00 UTC from the system clock.
std::int64_t calendar_now();

}  // namespace tarvik
