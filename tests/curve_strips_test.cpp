// Curves drawn strip by strip, by the calling thread alone and shared with a helper thread
// (also begun before the background is drawn), against the same curves drawn one after
// another: the same picture, pixel for pixel, where curves cross and cover each other, at
// strip edges, across gaps and on a reversed range.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "curve_painter.h"
#include "curve_strips.h"

namespace tarvik {
namespace {

// Twelve dense curves over the same x, each a sine shifted from the one before, some with
// missing stretches, in colours apart from each other. Where they cross, a later curve's runs
// cover an earlier one's.
std::vector<LineContainer> crossing_curves() {
    std::vector<LineContainer> stores(12);
    for (int c = 0; c < 12; ++c) {
        for (int i = 0; i < 40000; ++i) {
            const double x = i * 0.001;
            const bool missing = c % 4 == 1 && (i / 3000) % 5 == 2;
            const double y = missing ? std::numeric_limits<double>::quiet_NaN()
                                     : std::sin(x * (1 + 0.1 * c) + 0.4 * c) + 0.02 * (i % 7);
            stores[static_cast<std::size_t>(c)].add_point(x, y, 0);
        }
    }
    return stores;
}

std::vector<CurveDraw> draws_of(const std::vector<LineContainer>& stores) {
    std::vector<CurveDraw> draws;
    for (std::size_t c = 0; c < stores.size(); ++c) {
        // One translucent curve, whose runs are lines; some curves summarised through their
        // blocks, whose runs are written by bands of columns, the others column by column.
        const int alpha = c == 7 ? 140 : 255;
        const CurvePen pen{QColor::fromHsv(static_cast<int>(c) * 29, 255, 200, alpha), SOLID, 1, 0};
        CurvePaintOptions options;
        if (c % 3 == 0)
            options.column_extents = ColumnExtents::BlockSummary;
        draws.push_back({&stores[c], pen, options});
    }
    return draws;
}

enum class Way { OneAfterAnother, StripsAlone, StripsWithHelper, BegunBeforeTheBackground };

QImage draw(const std::vector<CurveDraw>& draws, const plot_limits& ranges, const PixelRect& area,
            Way way) {
    QImage image(area.right + 30, area.bottom + 30, QImage::Format_RGB32);
    image.fill(way == Way::BegunBeforeTheBackground ? Qt::black : Qt::white);
    QPainter painter(&image);
    const QRect plot(area.left, area.top, area.width() + 1, area.height() + 1);
    painter.setClipRect(plot);
    if (way == Way::OneAfterAnother) {
        for (const CurveDraw& d : draws)
            paint_curve(painter, *d.store, ranges, area, d.pen, d.options);
    } else if (way == Way::BegunBeforeTheBackground) {
        // The helper finds runs while the background is still to be drawn; they must land on
        // top of it, not under it.
        CurvesInStrips strips(painter, plot, area, ranges, draws);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        painter.setClipping(false);
        painter.fillRect(image.rect(), Qt::white);
        strips.draw(painter);
        EXPECT_EQ(painter.clipBoundingRect().toRect(), plot);
    } else {
        draw_curves_in_strips(painter, plot, area, ranges, draws, way == Way::StripsWithHelper);
        EXPECT_EQ(painter.clipBoundingRect().toRect(), plot);
    }
    return image;
}

TEST(CurveStrips, DrawWhatTheCurvesDrawOneAfterAnother) {
    const std::vector<LineContainer> stores = crossing_curves();
    const std::vector<CurveDraw> draws = draws_of(stores);
    for (const CurveDraw& d : draws)
        ASSERT_TRUE(drawn_in_strips(*d.store, d.pen, d.options));
    const struct {
        const char* name;
        plot_limits ranges;
        PixelRect area;
    } cases[] = {
        {"all, wide", {0, 40, -1.2, 1.3}, {37, 11, 1290, 780}},
        {"all, tall and narrow", {0, 40, -1.2, 1.3}, {5, 5, 150, 1500}},
        {"zoomed in", {12.345, 12.9, -0.5, 0.7}, {20, 20, 700, 400}},
        {"panned past the end", {30, 50, -1.2, 1.3}, {20, 20, 900, 400}},
        {"reversed", {40, 0, -1.2, 1.3}, {20, 20, 900, 400}},
    };
    for (const auto& c : cases) {
        const QImage reference = draw(draws, c.ranges, c.area, Way::OneAfterAnother);
        EXPECT_TRUE(draw(draws, c.ranges, c.area, Way::StripsAlone) == reference) << c.name;
        // The two threads take strips in whatever order they come to them.
        for (int run = 0; run < 3; ++run)
            EXPECT_TRUE(draw(draws, c.ranges, c.area, Way::StripsWithHelper) == reference)
                << c.name << ", run " << run;
        EXPECT_TRUE(draw(draws, c.ranges, c.area, Way::BegunBeforeTheBackground) == reference)
            << c.name;
    }
}

}  // namespace
}  // namespace tarvik
