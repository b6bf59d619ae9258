// The output of the dense curves drawn in one strip, held back and then drawn curve after
// curve in their order. Every run is opaque and is written over whatever lies below it, so a
// run's pixels that a later curve's run paints anyway need not be written: where twenty dense
// curves each cover most of a column, that is most of their pixels.
#pragma once

#include <QLine>
#include <QPen>
#include <cstddef>
#include <vector>

#include "direct_pixels.h"

class QPainter;

namespace tarvik {

class StripRecording {
  public:
    // The next curve's output begins: its lines are drawn with `pen`; its runs are written as
    // `pixels` says (by bands of columns, or column by column), or are lines when it is empty.
    void begin_curve(const QPen& pen, const DirectPixels& pixels, bool by_bands);
    // Column x, rows [top, bottom], in image pixels inside the clip.
    void run(int x, int top, int bottom) { runs_.push_back({x, top, bottom}); }
    void line(QPoint a, QPoint b) { lines_.emplace_back(a, b); }

    // Draws what was recorded, curve after curve, and forgets it.
    void draw(QPainter& painter);

  private:
    struct Run {
        int x;
        int top;
        int bottom;
    };
    struct Curve {
        QPen pen;
        DirectPixels pixels;
        bool by_bands;
        std::size_t first_run;
        std::size_t first_line;
        std::size_t first_kept = 0;  // its runs as written, in kept_
        std::size_t end_kept = 0;
    };
    std::size_t end_of_runs(std::size_t curve) const;
    std::size_t end_of_lines(std::size_t curve) const;
    void leave_out_what_later_runs_paint();

    std::vector<Curve> curves_;
    std::vector<Run> runs_;
    std::vector<QLine> lines_;
    std::vector<Run> kept_;
    // Per column of the clip, rows that later curves' runs are known to paint.
    struct Rows {
        int top;
        int bottom;
    };
    std::vector<Rows> painted_;
};

}  // namespace tarvik
