// The geometry every draw shares: margins and plot area from the font and the label widths,
// data to pixel, and tick positions along an axis.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "axis_map.h"
#include "axis_scale.h"
#include "plot_layout.h"

namespace tarvik {
namespace {

TEST(PlotLayoutTest, MarginsFollowTheFontAndTheLabelWidths) {
    struct Case {
        PixelRect r;
        int x_width, y_width;
        TextMetrics metrics;
        int line_height, half_x, y_width_out;
        PixelRect plot;
    };
    const Case cases[] = {
        // L = trunc(13 × 1.2) = 15; H = 2; W = 4.
        {{0, 0, 800, 600}, 4, 4, {13, 0, 7}, 15, 2, 4, {43, 15, 786, 570}},
        // Leading counts into the line: trunc(19 × 1.2) = 22. An odd x width rounds up.
        {{0, 0, 800, 600}, 5, 6, {16, 3, 8}, 22, 3, 6, {70, 22, 776, 556}},
        // Half an x label wider than the y labels sets the left margin too.
        {{0, 0, 800, 600}, 11, 2, {10, 0, 6}, 12, 6, 6, {48, 12, 764, 576}},
        // A rectangle away from the origin (a printed page) moves every edge with it.
        {{100, 50, 1100, 850}, 4, 6, {13, 0, 7}, 15, 2, 6, {157, 65, 1086, 820}},
    };
    for (const Case& c : cases) {
        const PlotLayout l = compute_layout(c.r, c.x_width, c.y_width, c.metrics);
        EXPECT_EQ(l.line_height, c.line_height);
        EXPECT_EQ(l.char_width, c.metrics.average_char_width);
        EXPECT_EQ(l.half_x_width, c.half_x);
        EXPECT_EQ(l.y_width, c.y_width_out);
        EXPECT_EQ(l.plot_area, c.plot) << c.plot.left << " " << c.plot.right;
    }
}

plot_limits limits(double x0, double x1, double y0, double y1) {
    return {x0, x1, y0, y1};
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(PlotLayoutTest, DataMapsToPixelsWithOffsetsTruncatedTowardZero) {
    const PixelRect p{10, 20, 110, 220};  // 100 wide, 200 high
    const plot_limits r = limits(0.0, 10.0, 0.0, 100.0);
    struct Case {
        double x, y;
        std::pair<int, int> pixel;
    };
    const Case cases[] = {
        {0.0, 0.0, {10, 220}},                               // lower-left corner
        {10.0, 100.0, {110, 20}},                            // upper-right corner
        {5.0, 50.0, {60, 120}},     {2.56, 0.0, {35, 220}},  // 25.6 → 25
        {-0.05, -0.3, {10, 220}},    // -0.5 and -0.6 truncate to 0, not down to -1
        {-1.57, -0.75, {-5, 221}},   // -15.7 → -15; -1.5 → -1, below the bottom
        {10.75, 100.75, {117, 19}},  // outside the range maps outside the area
    };
    for (const Case& c : cases) {
        EXPECT_EQ(map_point(c.x, c.y, r, p), c.pixel) << c.x << ", " << c.y;
    }

    // An inverted y range puts its minimum at the top.
    EXPECT_EQ(map_point(2.0, 25.0, limits(0.0, 10.0, 100.0, 0.0), p), (std::pair{30, 70}));
}

TEST(PlotLayoutTest, MissingAndUnmappablePointsGetSafePixels) {
    const PixelRect p{10, 20, 110, 220};
    const plot_limits r = limits(0.0, 10.0, 0.0, 100.0);
    const std::pair missing{kMissingPixel, kMissingPixel};
    EXPECT_EQ(map_point(kNaN, 5.0, r, p), missing);
    EXPECT_EQ(map_point(5.0, kNaN, r, p), missing);

    // Far outside the range: held at ±1e9, never the marker.
    EXPECT_EQ(map_point(1e300, -1e300, r, p), (std::pair{kPixelLimit, kPixelLimit}));
    EXPECT_EQ(map_point(-kInf, kInf, r, p), (std::pair{-kPixelLimit, -kPixelLimit}));

    // A zero-width range: its own value at the axis, anything else far off to its side.
    const plot_limits flat = limits(5.0, 5.0, 3.0, 3.0);
    EXPECT_EQ(map_point(5.0, 3.0, flat, p), (std::pair{10, 220}));
    EXPECT_EQ(map_point(6.0, 4.0, flat, p), (std::pair{kPixelLimit, -kPixelLimit}));
    EXPECT_EQ(map_point(4.0, 2.0, flat, p), (std::pair{-kPixelLimit, kPixelLimit}));
}

// Drawing places two values at once; each must land where placing it alone puts it: on both
// sides of whole pixels, at the origin, near and beyond the pixel limit, and when missing.
TEST(PlotLayoutTest, PlacingTwoValuesAtOnceGivesTheirOwnPixels) {
    const AxisMap maps[] = {
        AxisMap::horizontal(0.0, 10.0, 10, 100),
        AxisMap::vertical(-1.1, 1.1, 1599, 1580),
        AxisMap::vertical(5.0, -5.0, 800, 777),             // inverted
        AxisMap::horizontal(1.7e9, 1.7e9 + 1e-3, 3, 2557),  // a large offset, zoomed far in
        AxisMap::horizontal(0.0, 1e-300, -40, 1000),        // steps far beyond the limit
    };
    const std::vector<double> specials = {0.0, -0.0, kNaN, kInf, -kInf, 1e300, -1e300};
    std::vector<double> values = specials;
    for (const AxisMap& m : maps) {
        // Pixel edges and the doubles a few steps either side of them, where the product
        // with the scale may truncate to another pixel than the quotient does.
        for (int pixel = -3; pixel < 40; ++pixel) {
            const double edge = m.to_value(m.origin + pixel * m.direction);
            double below = edge;
            double above = edge;
            values.insert(values.end(), {edge, edge + 0.5 / m.scale});
            for (int step = 0; step < 3; ++step) {
                below = std::nextafter(below, -kInf);
                above = std::nextafter(above, kInf);
                values.insert(values.end(), {below, above});
            }
        }
    }
    for (const AxisMap& m : maps) {
        for (std::size_t i = 0; i + 1 < values.size(); ++i) {
            for (const double b : {values[i + 1], specials[i % specials.size()]}) {
                const double a = values[i];
                EXPECT_EQ(m.place_two(a, b), (std::pair{m.place(a), m.place(b)}))
                    << a << ", " << b << " from " << m.minimum << " over " << m.span;
                EXPECT_EQ(m.place_two(b, a), (std::pair{m.place(b), m.place(a)}));
            }
        }
    }
}

// Pixel to value undoes value to pixel up to the truncation; an inverted y range too.
TEST(PlotLayoutTest, PixelsMapBackToTheirValues) {
    const PixelRect p{10, 20, 110, 220};
    for (const plot_limits& r : {limits(0.0, 10.0, 0.0, 100.0), limits(-5.0, 5.0, 100.0, 0.0)}) {
        const PlotMap map(r, p);
        for (const auto& [x, y] :
             {std::pair{2.0, 25.0}, std::pair{-1.0, 50.0}, std::pair{9.5, 0.0}}) {
            const auto [px, py] = map.to_pixel(x, y);
            const auto [vx, vy] = map.to_value(px, py);
            EXPECT_NEAR(vx, x, 0.1) << x;
            EXPECT_NEAR(vy, y, 0.5) << y;
        }
    }
    EXPECT_DOUBLE_EQ(AxisMap::horizontal(0.0, 10.0, 10, 100).to_value(35), 2.5);
    EXPECT_DOUBLE_EQ(AxisMap::vertical(0.0, 100.0, 220, 200).to_value(70), 75.0);
}

// A font of any size and labels of any length leave margins a pixel position can hold.
TEST(PlotLayoutTest, HugeFontsAndLabelsKeepThePlotAreaWithinThePixelLimit) {
    const TextMetrics huge{2147483647, 2147483647, 2147483647};
    const PlotLayout l = compute_layout(PixelRect{0, 0, 1280, 800}, 320, 320, huge);
    for (const int edge : {l.plot_area.left, l.plot_area.top, l.plot_area.right, l.plot_area.bottom,
                           l.line_height}) {
        EXPECT_LE(edge, kPixelLimit);
        EXPECT_GE(edge, -kPixelLimit);
    }
}

TEST(AxisScaleTest, TicksSpreadEvenlyFromTheMinimumToTheMaximum) {
    const AxisScale x = make_axis_scale(0.0, 1.0, 10, 110, 5, 220, 5);
    EXPECT_DOUBLE_EQ(x.step, 25.0);
    ASSERT_EQ(x.tick_count(), 5);
    const int x_pixels[] = {10, 35, 60, 85, 110};
    const double x_values[] = {0.0, 0.25, 0.5, 0.75, 1.0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(x.tick_pixel(i), x_pixels[i]);
        EXPECT_DOUBLE_EQ(x.tick_value(i), x_values[i]);
    }

    // A y axis runs upwards from the bottom: the step is negative and truncates toward the
    // start (-66.67 → -66).
    const AxisScale y = make_axis_scale(-3.0, 3.0, 220, 20, 4, 10, 5);
    const int y_pixels[] = {220, 154, 87, 20};
    const double y_values[] = {-3.0, -1.0, 1.0, 3.0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(y.tick_pixel(i), y_pixels[i]);
        EXPECT_DOUBLE_EQ(y.tick_value(i), y_values[i]);
    }
}

// (span / n) × n can fall just short of span in doubles (1 / 49 × 49 < 1); the ticks are
// placed from the exact product, so the last one always meets the axis end.
TEST(AxisScaleTest, EveryTickIsTheExactTruncatedFractionOfTheSpan) {
    EXPECT_EQ(make_axis_scale(0, 1, 0, 115, 8, 0, 5).tick_pixel(7), 115);
    EXPECT_EQ(make_axis_scale(0, 1, 0, 1, 50, 0, 5).tick_pixel(49), 1);
    for (int span = 1; span <= 1200; ++span) {
        for (int count = 2; count <= 60; ++count) {
            const AxisScale s = make_axis_scale(0.0, 1.0, 7, 7 + span, count, 0, 5);
            for (int i = 0; i < count; ++i) {
                ASSERT_EQ(s.tick_pixel(i), 7 + span * i / (count - 1))
                    << "span " << span << " count " << count << " tick " << i;
            }
        }
    }
}

TEST(AxisScaleTest, CountsBelowTwoGiveOneTickAtTheMinimumOrNone) {
    const AxisScale one = make_axis_scale(2.0, 8.0, 10, 110, 1, 0, 5);
    EXPECT_EQ(one.tick_count(), 1);
    EXPECT_EQ(one.tick_pixel(0), 10);
    EXPECT_EQ(one.tick_value(0), 2.0);
    EXPECT_EQ(one.step, 0.0);
    EXPECT_EQ(make_axis_scale(2.0, 8.0, 10, 110, 0, 0, 5).tick_count(), 0);
    EXPECT_EQ(make_axis_scale(2.0, 8.0, 10, 110, -3, 0, 5).tick_count(), 0);
}

// What a brute force over every position finds: in order, the first position of each pixel
// that lies in [low, high].
std::vector<int> every_first_on_its_pixel(const AxisScale& s, int low, int high) {
    std::vector<int> ticks;
    for (int i = 0; i < s.tick_count(); ++i) {
        const int p = s.tick_pixel(i);
        const bool repeated = i > 0 && s.tick_pixel(i - 1) == p;
        if (p >= std::min(low, high) && p <= std::max(low, high) && !repeated)
            ticks.push_back(i);
    }
    return ticks;
}

TEST(AxisScaleTest, TicksBetweenTwoPixelsAreTheFirstOfEachPixelThere) {
    for (int span : {0, 1, 7, 40, -40}) {
        for (int count = -1; count <= 130; ++count) {
            const AxisScale s = make_axis_scale(0.0, 1.0, 100, 100 + span, count, 0, 5);
            for (const auto& [low, high] :
                 {std::pair{0, 300}, std::pair{103, 121}, std::pair{121, 103}, std::pair{60, 99},
                  std::pair{140, 141}, std::pair{100, 100}}) {
                ASSERT_EQ(s.ticks_between(low, high), every_first_on_its_pixel(s, low, high))
                    << "span " << span << " count " << count << " [" << low << ", " << high << "]";
            }
        }
    }
}

// However many positions there are, a draw makes one mark per pixel at most.
TEST(AxisScaleTest, AHugeTickCountGivesOneTickPerPixel) {
    const int counts[] = {1281, 100000, 2147483647};
    for (int count : counts) {
        const AxisScale x = make_axis_scale(0.0, 1.0, 0, 1280, count, 0, 5);
        const std::vector<int> ticks = x.ticks_between(-50, 5000);
        ASSERT_EQ(ticks.size(), 1281u) << count;
        for (std::size_t k = 0; k < ticks.size(); ++k)
            ASSERT_EQ(x.tick_pixel(ticks[k]), static_cast<int>(k)) << count;
        EXPECT_EQ(x.tick_pixel(ticks.back()), 1280);
        // A window into a scrollable axis 10^9 pixels long sees only its own part.
        const AxisScale wide = make_axis_scale(0.0, 1.0, 0, 1000000000, count, 0, 5);
        EXPECT_LE(wide.ticks_between(500000000, 500001279).size(), 1280u);
    }
}

TEST(AxisScaleTest, LabelsKeepEveryTickUpToTheMostAndThenEveryKth) {
    // Every tick the dialogs can set is labelled.
    const AxisScale few = make_axis_scale(0.0, 1.0, 0, 400, 52, 0, 5);
    EXPECT_EQ(few.labelled_between(-100, 500, 104, 1), few.ticks_between(-100, 500));

    const AxisScale many = make_axis_scale(0.0, 1.0, 0, 1000000000, 2147483647, 0, 5);
    const std::vector<int> here = many.labelled_between(1000, 2279, 104, 1);
    ASSERT_FALSE(here.empty());
    EXPECT_LE(here.size(), 105u);
    const int stride = here.size() > 1 ? here[1] - here[0] : 1;
    for (const int i : here)
        EXPECT_EQ(i % stride, 0);
    // Scrolled on by 100 pixels, the labels still in view are the same ones.
    const std::vector<int> further = many.labelled_between(1100, 2379, 104, 1);
    for (const int i : further) {
        if (many.tick_pixel(i) <= 2279) {
            EXPECT_NE(std::find(here.begin(), here.end(), i), here.end()) << i;
        }
    }
    // Thinned labels keep at least the gap asked for.
    const std::vector<int> apart = many.labelled_between(1000, 2279, 104, 40);
    ASSERT_GE(apart.size(), 2u);
    EXPECT_LE(apart.size(), 1280u / 40 + 1);
    for (std::size_t k = 1; k < apart.size(); ++k)
        EXPECT_GE(many.tick_pixel(apart[k]) - many.tick_pixel(apart[k - 1]), 40);
    // Dense positions on a short axis: still one per pixel.
    const AxisScale short_axis = make_axis_scale(0.0, 1.0, 0, 3, 1000, 0, 5);
    EXPECT_LE(short_axis.labelled_between(0, 3, 104, 1).size(), 4u);
}

}  // namespace
}  // namespace tarvik
