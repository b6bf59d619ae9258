// The block summary against reading every point: extents of arbitrary runs, and runs handed on
// in pieces around missing points.
#include "block_summary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <limits>
#include <random>
#include <vector>

namespace {

using tarvik::BlockSummary;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Points {
    std::vector<double> x;
    std::vector<double> y;
    BlockSummary summary;
};

// n points with missing x or y now and then (denser in places), summarised as a store does.
Points make_points(std::size_t n, unsigned seed) {
    Points p;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> value(-100.0, 100.0);
    std::uniform_int_distribution<int> pick(0, 3999);
    for (std::size_t i = 0; i < n; ++i) {
        const int r = pick(rng);
        const bool dense = (i / 5000) % 7 == 3;
        p.x.push_back(r == 0 || (dense && r < 400) ? kNaN : static_cast<double>(i));
        p.y.push_back(r == 1 || (dense && r >= 3600) ? kNaN : value(rng));
        if (p.x.size() % BlockSummary::kBlock == 0) {
            const std::size_t b = p.x.size() - BlockSummary::kBlock;
            p.summary.add_block(p.x.data() + b, p.y.data() + b);
        }
    }
    return p;
}

TEST(BlockSummary, ExtentsAndPiecesAgreeWithEveryPoint) {
    const Points p = make_points(300007, 7);
    std::mt19937 rng(8);
    std::uniform_int_distribution<std::size_t> index(0, p.x.size());
    std::uniform_int_distribution<std::size_t> length(1, 70000);
    for (int trial = 0; trial < 2000; ++trial) {
        std::size_t first = index(rng);
        // Short runs as often as long ones, and runs that reach the unsummarised end.
        const std::size_t last =
            std::min(p.x.size(), first + (trial % 2 ? length(rng) : length(rng) % 300 + 1));
        if (first >= last)
            first = last - 1;
        bool gap = false;
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        for (std::size_t i = first; i < last; ++i) {
            gap |= std::isnan(p.x[i]) || std::isnan(p.y[i]);
            low = std::min(low, p.y[i]);
            high = std::max(high, p.y[i]);
        }
        const tarvik::YExtent e = p.summary.extent(p.x.data(), p.y.data(), first, last);
        ASSERT_EQ(e.gap, gap) << first << ".." << last;
        if (!gap) {
            ASSERT_EQ(e.low, low) << first << ".." << last;
            ASSERT_EQ(e.high, high) << first << ".." << last;
        }

        // Pieces cover the run in order; summarised ones hold no missing point.
        std::size_t next = first;
        p.summary.for_each_piece(
            first, last,
            [&](std::size_t a, std::size_t b, double piece_low, double piece_high) {
                ASSERT_EQ(a, next);
                double l = p.y[a];
                double h = p.y[a];
                for (std::size_t i = a; i < b; ++i) {
                    ASSERT_FALSE(std::isnan(p.x[i]) || std::isnan(p.y[i])) << i;
                    l = std::min(l, p.y[i]);
                    h = std::max(h, p.y[i]);
                }
                ASSERT_EQ(piece_low, l);
                ASSERT_EQ(piece_high, h);
                next = b;
            },
            [&](std::size_t i) {
                ASSERT_EQ(i, next);
                next = i + 1;
            });
        ASSERT_EQ(next, last) << first << ".." << last;
    }
}

}  // namespace
