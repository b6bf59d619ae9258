// The fast curve drawing against drawing every segment and every marker: the same picture,
// except for single pixels at the ends of a column's vertical run.
#include "curve_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>
#include <random>

#include "memory_plot.h"
#include "view_ranges.h"

namespace tarvik {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const PixelRect kArea{40, 20, 780, 560};

QImage draw(const LineContainer& store, const plot_limits& ranges, const CurvePen& pen,
            bool collapse, const PixelRect& area = kArea) {
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setClipRect(area.left, area.top, area.width() + 1, area.height() + 1);
    paint_curve(painter, store, ranges, area, pen, CurvePaintOptions{collapse});
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

int painted_rows(const QImage& image, int x) {
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        painted += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
    return painted;
}

// Sine points; those for which `missing` holds have a NaN y.
LineContainer sine(int points, double periods, bool (*missing)(int) = nullptr) {
    LineContainer c;
    for (int i = 0; i < points; ++i) {
        const double x = periods * 2 * M_PI * i / points;
        c.add_point(x, missing && missing(i) ? kNaN : std::sin(x), 0);
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
    const LineContainer gappy = sine(50000, 7, [](int i) { return i % 997 == 0; });
    LineContainer scattered;  // x jumps back and forth: nothing to collapse
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int i = 0; i < 3000; ++i)
        scattered.add_point(u(rng), u(rng), 0);
    LineContainer turning;  // x turns back now and then: columns taken point by point
    for (int i = 0; i < 100000; ++i)
        turning.add_point(i % 9973 == 0 ? i - 3000 : i, std::sin(i * 0.001) + 0.2 * u(rng), 0);
    LineContainer stairs;  // flat runs and jumps: joins between columns whose runs do not meet
    for (int i = 0; i < 60000; ++i)
        stairs.add_point(i, std::floor(i / 2500.0) + 0.01 * u(rng) + (i % 97 == 0 ? 3 : 0), 0);

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
        {"turning back", &turning, ranges(0, 100000, -1.5, 1.5)},
        {"stairs", &stairs, ranges(0, 60000, -1, 28)},
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

// A column's lowest and highest y are found however many points it holds and wherever among
// them the extreme lies, and a missing point anywhere in it breaks the line.
TEST(CurvePainter, ColumnsFindTheirExtremesAndGapsAtEveryPlace) {
    const int columns = kArea.right - kArea.left;
    for (int n = 1; n <= 20; ++n) {
        for (const bool gaps : {false, true}) {
            LineContainer store;
            for (int c = 0; c < columns; ++c) {
                for (int k = 0; k < n; ++k) {
                    const bool marked = k == c % n;
                    double y = std::sin(c * 0.05) + 0.01 * k;
                    if (marked && !gaps)
                        y += c % 2 == 0 ? 0.8 : -0.8;  // a spike up or down
                    if (marked && gaps && c % 7 == 3)
                        y = kNaN;
                    store.add_point(c + (k + 0.5) / n, y, 0);
                }
            }
            const plot_limits r = ranges(0, columns, -2, 2);
            const CurvePen pen{QColor(0, 0, 200), SOLID, 1, 0};
            const Difference d = compare(draw(store, r, pen, true), draw(store, r, pen, false));
            EXPECT_EQ(d.outside_reference_runs, 0) << n << (gaps ? " with gaps" : "");
            EXPECT_LE(d.pixels, 40) << n << (gaps ? " with gaps" : "");
        }
    }
}

// Runs written straight into a 32-bit image's rows, with the joins they cover left out, paint
// what the painter's lines paint (a 24-bit image gets lines), shifted and clipped alike.
TEST(CurvePainter, RunsWrittenIntoTheImageMatchPaintedRuns) {
    const LineContainer curve = sine(300000, 9);
    const CurvePen pen{QColor(200, 0, 0), SOLID, 1, 0};
    for (const QPoint shift : {QPoint(0, 0), QPoint(13, -7)}) {
        QImage direct(800, 600, QImage::Format_RGB32);
        QImage painted(800, 600, QImage::Format_RGB888);
        for (QImage* image : {&direct, &painted}) {
            image->fill(Qt::white);
            QPainter painter(image);
            painter.translate(shift);
            painter.setClipRect(100, 50, 500, 300);  // cuts columns and rows of the curve
            paint_curve(painter, curve, ranges(0, 18 * M_PI, -0.9, 0.9), kArea, pen,
                        CurvePaintOptions{true});
        }
        EXPECT_EQ(direct, painted.convertToFormat(QImage::Format_RGB32)) << shift.x();
    }
}

// Truncation puts points up to a pixel outside the x range into the plot's edge columns, so the
// segments between them show there, however dense the data.
TEST(CurvePainter, EdgeColumnsShowEverySegmentThatReachesThem) {
    LineContainer example;
    for (auto [x, y] :
         {std::pair{-0.5, 0.0}, {-0.4, 1.0}, {50.0, 0.5}, {100.0, 0.5}, {100.3, 0.0}, {100.6, 1.0}})
        example.add_point(x, y, 0);
    const PixelRect hundred{40, 20, 140, 120};

    testing::MemoryPlot scrolled;  // dense data that an automatic x scroll has overtaken
    scrolled.add_curve({});
    LineContainer& dense = scrolled.generations(0)[0];
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    for (int i = 0; i < 300000; ++i)
        dense.add_point(i * 0.0007, std::sin(i * 0.0003) + noise(rng), 0);
    plot_limits after_scroll(0, 10, -2.2, 2.2);
    PlotViewState view;
    view.m_XMin = after_scroll.m_XMin;
    view.m_XMax = after_scroll.m_XMax;
    ASSERT_TRUE(auto_x_scroll(view, scrolled));
    after_scroll.m_XMin = view.m_XMin;
    after_scroll.m_XMax = view.m_XMax;

    struct Case {
        const char* name;
        const LineContainer& store;
        plot_limits r;
        PixelRect area;
        bool reaches_right;  // the data runs past the right edge too
    };
    const Case cases[] = {
        {"example", example, ranges(0, 100, 0, 1), hundred, true},
        {"after auto scroll", dense, after_scroll, kArea, false},
        {"fixed range", dense, ranges(33.3333, 77.7777, -2.2, 2.2), kArea, true},
        {"reversed range", dense, ranges(77.7777, 33.3333, -2.2, 2.2), kArea, true},
    };
    const CurvePen solid{QColor(0, 0, 0), SOLID, 1, 0};
    const CurvePen others[] = {{QColor(0, 0, 255), DASH, 1, 0}, {QColor(0, 128, 0), SOLID, 3, 0}};
    for (const Case& c : cases) {
        const QImage reference = draw(c.store, c.r, solid, false, c.area);
        const QImage fast = draw(c.store, c.r, solid, true, c.area);
        for (int x : {c.area.left, c.area.left + 1, c.area.right - 1, c.area.right}) {
            const int expected = painted_rows(reference, x);
            EXPECT_NEAR(painted_rows(fast, x), expected, 2) << c.name << " column " << x;
            if (x < c.area.right - 1 || c.reaches_right) {
                EXPECT_GT(expected, 0) << c.name << " column " << x;
            }
        }
        EXPECT_EQ(compare(fast, reference).outside_reference_runs, 0) << c.name;
        for (const CurvePen& pen : others) {
            EXPECT_TRUE(draw(c.store, c.r, pen, true, c.area) ==
                        draw(c.store, c.r, pen, false, c.area))
                << c.name << " style " << pen.style << " width " << pen.width;
        }
    }
    // The reference draws the example's vertical segments in both edge columns in full.
    const QImage reference = draw(example, ranges(0, 100, 0, 1), solid, false, hundred);
    for (int y = hundred.top + 1; y < hundred.bottom; ++y) {
        ASSERT_EQ(reference.pixel(hundred.left, y), qRgb(0, 0, 0)) << "left, row " << y;
        ASSERT_EQ(reference.pixel(hundred.right, y), qRgb(0, 0, 0)) << "right, row " << y;
    }
}

TEST(CurvePainter, OtherPensAndMarkersLookAsEverySegmentDrawn) {
    const LineContainer c = sine(20000, 3, [](int i) { return i == 5000; });
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
