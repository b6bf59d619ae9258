// The hit test: the exact pixel rule, which curve and generation win, and that the fast search
// answers as mapping every point does.
#include "hit_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "axis_map.h"
#include "memory_plot.h"

namespace tarvik {
namespace {

using testing::MemoryPlot;

// Ranges 0…100 on a 100 × 100 plot area at the origin: value v sits at pixel v (y upward).
const plot_limits kRanges(0, 100, 0, 100);
const PixelRect kArea{0, 0, 100, 100};

TEST(HitTest, PixelRuleIsTheSquareAndTheCircleOfThree) {
    MemoryPlot plot;
    plot.add_curve({{50, 50}});  // pixel (50, 50)
    struct Case {
        int mx, my;
        bool hit;
    } cases[] = {
        {53, 50, true},  {47, 50, true},  {50, 53, true},  {50, 47, true},  // 3 away on an axis
        {53, 49, false}, {53, 51, false}, {49, 53, false},                  // 3 and 1: 10 > 9
        {52, 52, true},  {48, 48, true},                                    // 2 and 2: 8
        {54, 50, false}, {50, 54, false},                                   // 4 away
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hit_test(kRanges, plot, kArea, c.mx, c.my).has_value(), c.hit)
            << c.mx << "," << c.my;
    }
    const auto hit = hit_test(kRanges, plot, kArea, 53, 50);
    ASSERT_TRUE(hit);
    EXPECT_EQ(*hit, (PointHit{0, 0, 0, 50.0, 50.0}));
}

TEST(HitTest, TopmostDrawnWinsAndTheFirstIndexWithinAStore) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    MemoryPlot plot;
    plot.add_curve({{50, 50}});
    plot.add_curve({{nan, 50}, {50, nan}, {52, 50}, {50, 50}});  // missing points first
    // Curve 1: the later curve is found; its first point within reach, not the nearest.
    auto hit = hit_test(kRanges, plot, kArea, 50, 50);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->curve, 1);
    EXPECT_EQ(hit->index, 2u);

    // The newest generation before older ones; an empty newest store is passed over.
    plot.generations(1).push_front(LineContainer());
    LineContainer newest;
    newest.add_point(51, 50, 0);
    plot.generations(0).push_front(newest);
    hit = hit_test(kRanges, plot, kArea, 50, 50);
    EXPECT_EQ(hit->curve, 1);
    EXPECT_EQ(hit->generation, 1);
    plot.generations(1).clear();
    hit = hit_test(kRanges, plot, kArea, 50, 50);
    EXPECT_EQ(hit->curve, 0);
    EXPECT_EQ(hit->generation, 0);
    EXPECT_EQ(hit->x, 51.0);

    // Missing points are never hit, wherever the pointer is.
    MemoryPlot gaps;
    gaps.add_curve({{nan, nan}, {nan, 1}, {1, nan}});
    for (const int m : {0, 1, kMissingPixel - 1, kMissingPixel})
        EXPECT_FALSE(hit_test(kRanges, gaps, kArea, m, m));
}

// Sorted, wandering, gappy, inverted and degenerate data: the search that skips points whose
// x is out of reach agrees with mapping every point, at pointers on and near the points.
TEST(HitTest, AgreesWithMappingEveryPoint) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const PixelRect area{60, 20, 780, 560};
    struct Data {
        plot_limits ranges;
        int kind;  // 0 sorted, 1 random walk, 2 scattered with gaps
    } data[] = {{{0, 5000, -2, 2}, 0},          {{0, 5000, -2, 2}, 1}, {{-3, 8, 2, -2}, 2},
                {{5000, 0, -2, 2}, 1},          {{7, 7, -2, 2}, 2},    {{0, 1e-300, -2, 2}, 0},
                {{1e12, 1e12 + 1e-3, -2, 2}, 0}};
    for (const Data& d : data) {
        MemoryPlot plot;
        for (int curve = 0; curve < 2; ++curve) {
            LineContainer store;
            double walk = 0;
            for (int i = 0; i < 4000; ++i) {
                const double y = std::sin(i * 0.01) + unit(random) * 0.2;
                double x = i * 1.25;
                if (d.kind == 1)
                    x = walk += unit(random) * 10 - 4;
                if (d.kind == 2)
                    x = unit(random) < 0.05 ? nan : -3 + unit(random) * 11;
                if (d.ranges.m_XMin == 1e12)
                    x = 1e12 + i * 2.5e-7;
                store.add_point(x, y, 0);
            }
            plot.add_curve({});
            plot.generations(curve).front() = store;
        }
        const PlotMap map(d.ranges, area);
        int hits = 0;
        for (int k = 0; k < 3000; ++k) {
            const auto& store = plot.history(static_cast<int>(unit(random) * 2)).front();
            const auto i = static_cast<std::size_t>(unit(random) * (store.x.size() - 1));
            auto [mx, my] = map.to_pixel(store.x[i], store.y[i]);
            if (mx == kMissingPixel || std::abs(mx) > 5000 || std::abs(my) > 5000)
                mx = my = 300;
            mx += static_cast<int>(unit(random) * 11) - 5;
            my += static_cast<int>(unit(random) * 11) - 5;
            const auto fast = hit_test(d.ranges, plot, area, mx, my);
            ASSERT_EQ(fast, hit_test_every_point(d.ranges, plot, area, mx, my))
                << d.ranges.m_XMin << " " << mx << "," << my;
            hits += fast.has_value();
        }
        const bool degenerate = d.ranges.m_XMin == 7 || d.ranges.m_XMax == 1e-300;
        EXPECT_TRUE(degenerate || hits > 0) << d.ranges.m_XMin;
    }
}

}  // namespace
}  // namespace tarvik
