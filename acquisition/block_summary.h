// The smallest and largest y of a store's points by blocks of consecutive points, at several
// block sizes, built as points are added. Drawing a dense curve needs, per pixel column, the
// first and last point and the y extent of the points between; with this the extent of any
// run of points costs a few dozen blocks instead of every point. A block that holds a missing
// point (x or y NaN) has no extent: runs that cross it are handed on in pieces.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "shared_series.h"

namespace tarvik {

// The y extent of a run of points. With gap set, a point of the run is missing and low and
// high mean nothing.
struct YExtent {
    double low;
    double high;
    bool gap;
};

class BlockSummary {
  public:
    // Points in a block of the smallest size; each larger size holds kFanOut blocks of the one
    // below. Nine sizes reach beyond 2^31 points.
    static constexpr std::size_t kBlock = 32;
    static constexpr std::size_t kFanOut = 8;
    static constexpr int kLevels = 9;
    static constexpr std::size_t block_size(int level) { return kBlock << (3 * level); }

    // Summarises the next block: xs and ys point at its kBlock points.
    void add_block(const double* xs, const double* ys);
    // Forgets every block; memory no copy shares is kept for the blocks to come.
    void clear();
    // Makes room for the blocks of `points` points.
    void reserve(std::size_t points);
    // Points covered by whole blocks.
    std::size_t points() const { return levels_[0].size() * kBlock; }
    // The memory its blocks hold, room included.
    std::size_t bytes() const;
    bool shares_with(const BlockSummary& other) const {
        return levels_[0].shares_with(other.levels_[0]);
    }

    // The extent of points [first, last) of the store whose x and y are xs and ys. Stops at the
    // first missing point it meets (gap set).
    YExtent extent(const double* xs, const double* ys, std::size_t first, std::size_t last) const;

    // Asks early for the memory that extents ending or starting at `point` and spanning about
    // `reach` points read: without asking, each query waits for memory in turn. ys are the
    // store's y values.
    void prefetch_around(const double* ys, std::size_t point, std::size_t reach) const;

    // Hands points [first, last) on in order, as runs summarised at once,
    // run(begin, end, low, high) for points [begin, end) none of which is missing, and single
    // points, point(i), where blocks hold missing points.
    template <typename Run, typename Point>
    void for_each_piece(std::size_t first, std::size_t last, Run&& run, Point&& point) const {
        walk(
            first, last,
            [&](std::size_t a, std::size_t b) {
                for (std::size_t i = a; i < b; ++i)
                    point(i);
            },
            [&](int level, std::size_t index) { piece(level, index, run, point); });
    }

    // Equal when the same blocks hold the same extents.
    friend bool operator==(const BlockSummary& a, const BlockSummary& b) {
        return a.levels_ == b.levels_;
    }

  private:
    struct Entry {
        double low;  // NaN: the block holds a missing point
        double high;
        // Bit for bit, so that the marks of missing points compare equal.
        friend bool operator==(const Entry& a, const Entry& b) {
            return std::memcmp(&a, &b, sizeof(Entry)) == 0;
        }
    };

    // Splits [first, last) into the fewest whole blocks, largest first, and the points at both
    // ends that no whole block covers: points(a, b) and block(level, index), in order.
    template <typename Points, typename Block>
    void walk(std::size_t first, std::size_t last, Points&& points, Block&& block) const {
        const std::size_t covered = this->points();
        std::size_t i = first;
        std::size_t head = std::min(last, (first + kBlock - 1) / kBlock * kBlock);
        if (head > covered)
            head = last;
        if (head > i)
            points(i, head);
        i = head;
        while (i + kBlock <= last && i + kBlock <= covered) {
            int level = 0;
            while (level + 1 < kLevels && i % block_size(level + 1) == 0 &&
                   i + block_size(level + 1) <= last &&
                   i / block_size(level + 1) < levels_[static_cast<std::size_t>(level + 1)].size())
                ++level;
            block(level, i / block_size(level));
            i += block_size(level);
        }
        if (last > i)
            points(i, last);
    }

    template <typename Run, typename Point>
    void piece(int level, std::size_t index, Run& run, Point& point) const {
        const Entry& e = levels_[static_cast<std::size_t>(level)][index];
        const std::size_t begin = index * block_size(level);
        if (!std::isnan(e.low)) {
            run(begin, begin + block_size(level), e.low, e.high);
        } else if (level == 0) {
            for (std::size_t i = begin; i < begin + kBlock; ++i)
                point(i);
        } else {
            for (std::size_t k = 0; k < kFanOut; ++k)
                piece(level - 1, index * kFanOut + k, run, point);
        }
    }

    std::array<SharedSeries<Entry>, kLevels> levels_;
};

}  // namespace tarvik
