// The fast curve drawing against drawing every segment and every marker: the same picture,
// except for single pixels at the ends of a column's vertical run.
#include "curve_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>
#include <random>

namespace tarvik {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const PixelRect kArea{40, 20, 780, 560};

QImage draw(const LineContainer& store, const plot_limits& ranges, const CurvePen& pen,
            bool collapse) {
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setClipRect(kArea.left, kArea.top, kArea.width() + 1, kArea.height() + 1);
    paint_curve(painter, store, ranges, kArea, pen, CurvePaintOptions{collapse});
    return image;
}

plot_limits ranges(double x_min, double x_max, double y_min, double y_max) {
    return {x_min, x_max, y_min, y_max};
}

struct Difference {
    int pixels = 0;
    int outside_reference_runs = 0;
};

// Pixels that differ, and how many of them lie outside the span of painted rows that the
// reference picture has in the same column.
Difference compare(const QImage& fast, const QImage& reference) {
    Difference d;
    for (int x = 0; x < reference.width(); ++x) {
        int top = reference.height();
        int bottom = -1;
        for (int y = 0; y < reference.height(); ++y) {
            if (reference.pixel(x, y) != qRgb(255, 255, 255)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        for (int y = 0; y < reference.height(); ++y) {
            if (fast.pixel(x, y) == reference.pixel(x, y))
                continue;
            ++d.pixels;
            if (y < top - 1 || y > bottom + 1)
                ++d.outside_reference_runs;
        }
    }
    return d;
}

LineContainer sine(int points, double periods) {
    LineContainer c;
    for (int i = 0; i < points; ++i) {
        const double x = periods * 2 * M_PI * i / points;
        c.add_point(x, std::sin(x), 0);
    }
    return c;
}

TEST(CurvePainter, CollapsedLinesMatchEverySegment) {
    std::mt19937 rng(5);
    std::normal_distribution<double> step(0.0, 1.0);
    LineContainer walk;  // a random walk: many points per column, jagged runs
    double y = 0;
    for (int i = 0; i < 200000; ++i)
        walk.add_point(i, y += step(rng), 0);
    LineContainer gappy = sine(50000, 7);
    for (int i = 0; i < 50000; i += 997)
        gappy.y[static_cast<std::size_t>(i)] = kNaN;
    LineContainer scattered;  // x jumps back and forth: nothing to collapse
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int i = 0; i < 3000; ++i)
        scattered.add_point(u(rng), u(rng), 0);

    struct Case {
        const char* name;
        const LineContainer* store;
        plot_limits r;
    };
    const Case cases[] = {
        {"sine", nullptr, ranges(0, 20 * M_PI, -1.1, 1.1)},
        {"walk", &walk, ranges(0, 200000, walk.y_min, walk.y_max)},
        {"walk zoomed", &walk, ranges(50000, 51000, walk.y_min, walk.y_max)},
        {"gaps", &gappy, ranges(0, 14 * M_PI, -1.1, 1.1)},
        {"scattered", &scattered, ranges(0, 1, 0, 1)},
    };
    const LineContainer sine_curve = sine(1000000, 10);
    for (const Case& c : cases) {
        const LineContainer& store = c.store ? *c.store : sine_curve;
        const CurvePen pen{QColor(200, 0, 0), SOLID, 1, 0};
        const Difference d = compare(draw(store, c.r, pen, true), draw(store, c.r, pen, false));
        EXPECT_EQ(d.outside_reference_runs, 0) << c.name;
        // A handful of run ends at most: the picture is the same to the eye.
        EXPECT_LE(d.pixels, 40) << c.name;
        RecordProperty(std::string(c.name) + "_differing_pixels", d.pixels);
    }
}

TEST(CurvePainter, OtherPensAndMarkersLookAsEverySegmentDrawn) {
    LineContainer c = sine(20000, 3);
    c.y[5000] = kNaN;
    const plot_limits r = ranges(0, 6 * M_PI, -1.2, 1.2);
    const CurvePen pens[] = {
        {QColor(0, 0, 255), DASH, 1, 0},
        {QColor(0, 128, 0), SOLID, 3, 0},  // wide
        {QColor(0, 0, 0), SOLID, 0, 3},    // markers only
        {QColor(0, 0, 0), DOT, 1, 2},      // with markers
    };
    for (const CurvePen& pen : pens) {
        EXPECT_EQ(draw(c, r, pen, true), draw(c, r, pen, false)) << "style " << pen.style;
    }
}

TEST(CurvePainter, MissingPointsBreakTheLineAndHaveNoMarker) {
    LineContainer c;
    c.add_point(0, 0.5, 0);
    c.add_point(1, 0.5, 0);
    c.add_point(2, kNaN, 0);
    c.add_point(3, 0.5, 0);
    c.add_point(4, 0.5, 0);
    const plot_limits r = ranges(0, 4, 0, 1);
    for (bool collapse : {true, false}) {
        const QImage image = draw(c, r, CurvePen{QColor(0, 0, 0), SOLID, 1, 0}, collapse);
        const int y = kArea.bottom - kArea.height() / 2;
        const int gap_from = kArea.left + kArea.width() / 4 + 2;
        const int gap_to = kArea.left + 3 * kArea.width() / 4 - 2;
        EXPECT_EQ(image.pixel(kArea.left + 10, y), qRgb(0, 0, 0));
        for (int x = gap_from; x <= gap_to; ++x) {
            ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << "x " << x;
        }
        EXPECT_EQ(image.pixel(kArea.right - 10, y), qRgb(0, 0, 0));
    }
}

TEST(CurvePainter, NullStyleAndZeroWidthDrawNoLine) {
    const LineContainer c = sine(1000, 1);
    const plot_limits r = ranges(0, 2 * M_PI, -1, 1);
    QImage blank(800, 600, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_EQ(draw(c, r, CurvePen{QColor(0, 0, 0), NULL_STYLE, 1, 2}, true), blank);
    EXPECT_EQ(draw(c, r, CurvePen{QColor(0, 0, 0), SOLID, 0, 0}, true), blank);
}

}  // namespace
}  // namespace tarvik
