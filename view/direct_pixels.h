// Writing a curve's vertical runs straight into the rows of a 32-bit image, where that paints
// exactly what QPainter paints for a solid one-pixel line.
#pragma once

#include <QPoint>
#include <QRect>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

class QPainter;

namespace tarvik {

// The 32-bit image a painter draws on, where runs can be written straight into its rows at a
// fraction of the cost of lines. Empty when the device is anything else.
struct DirectPixels {
    std::uint32_t* bits = nullptr;
    qsizetype words_per_row = 0;
    QPoint shift;  // from logical to image pixels
    QRect clip;    // in image pixels
    std::uint32_t colour = 0;
};

// What the painter draws on, with its pen's colour; empty unless runs can be written into it
// and look exactly like a solid one-pixel line: an opaque colour put over a raster image pixel
// for pixel (whole-pixel shifts only), inside a one-rectangle clip.
DirectPixels direct_pixels(QPainter& painter);

// Writes column x, rows [top, bottom] (inside the clip) at once: what sparse curves, whose runs
// are a few rows, do.
void write_column(const DirectPixels& d, int x, int top, int bottom);

// Runs of one band of 64 neighbouring columns, gathered and then written into the image row by
// row: written column by column, every pixel of a tall run would fall on a cache line of its
// own, and a dense curve's runs cover most of the plot. Each column keeps the rows its runs
// cover as one interval while they overlap or touch; a run apart from it (after a gap) is
// marked row by row.
class RunBand {
  public:
    // Rows are made room for only with the first run: a curve drawn in many strips of columns
    // makes one band per strip, most of which write nothing.
    explicit RunBand(const DirectPixels& d) : d_(d) {}
    ~RunBand() { flush(); }
    RunBand(const RunBand&) = delete;
    RunBand& operator=(const RunBand&) = delete;

    // Column x, rows [top, bottom], all inside the clip.
    void add(int x, int top, int bottom);
    // Writes the runs gathered so far.
    void flush();

  private:
    static constexpr int kWidth = 64;
    struct Interval {
        int top;
        int bottom;
    };
    std::size_t index(int row) const { return static_cast<std::size_t>(row - d_.clip.top()); }

    const DirectPixels& d_;
    // Per row of the clip, a bit per column of the band: intervals that start or end there,
    // and runs marked row by row.
    std::vector<std::uint64_t> starts_;
    std::vector<std::uint64_t> ends_;
    std::vector<std::uint64_t> apart_;
    std::array<Interval, kWidth> columns_{};
    std::uint64_t used_ = 0;  // columns with an interval
    int left_ = std::numeric_limits<int>::min() / 2;
    int top_ = std::numeric_limits<int>::max();
    int bottom_ = std::numeric_limits<int>::min();
};

}  // namespace tarvik
