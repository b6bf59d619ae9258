// Collapsed drawing through the block summaries, by scanning the visible span and strip by
// strip, against a plain reference that takes one point at a time and draws every run and join
// as a line: the same picture, pixel for pixel, for data that cuts the blocks in every way.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "axis_map.h"
#include "curve_painter.h"

namespace tarvik {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

QImage draw(const LineContainer& store, const plot_limits& r, const PixelRect& area,
            QImage::Format format, bool by_blocks) {
    QImage image(area.right + 20, area.bottom + 20, format);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setClipRect(area.left, area.top, area.width() + 1, area.height() + 1);
    CurvePaintOptions options;
    options.column_extents =
        by_blocks ? ColumnExtents::BlockSummary : ColumnExtents::ReadEveryPoint;
    paint_curve(painter, store, r, area, CurvePen{QColor(200, 0, 0), SOLID, 1, 0}, options);
    return image;
}

// The same line drawn strip by strip from left to right, each strip clipped to its columns and
// its points found from where the strip before ended, as a plot draws several curves.
QImage draw_in_strips(const LineContainer& store, const plot_limits& r, const PixelRect& area,
                      QImage::Format format, int strip) {
    QImage image(area.right + 20, area.bottom + 20, format);
    image.fill(Qt::white);
    QPainter painter(&image);
    const CurvePen pen{QColor(200, 0, 0), SOLID, 1, 0};
    CurvePaintOptions options;
    EXPECT_TRUE(drawn_in_strips(store, pen, options));
    StripCursor cursor;
    options.strip_cursor = &cursor;
    for (int left = area.left; left <= area.right; left += strip) {
        options.first_column = left;
        options.last_column = std::min(area.right, left + strip - 1);
        painter.setClipRect(left, area.top, options.last_column - left + 1, area.height() + 1);
        paint_curve(painter, store, r, area, pen, options);
    }
    return image;
}

// The picture of a solid one-pixel line collapsed per pixel column, one point at a time: a
// column of several points is a vertical line from its lowest to its highest point, joined by
// a line from the last point of one column to the first of the next; a missing point breaks
// the curve. Nothing is searched, summarised or written into the image's rows.
QImage draw_reference(const LineContainer& store, const plot_limits& r, const PixelRect& area,
                      QImage::Format format) {
    QImage image(area.right + 20, area.bottom + 20, format);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setClipRect(area.left, area.top, area.width() + 1, area.height() + 1);
    QPen pen(QColor(200, 0, 0));
    pen.setWidth(1);
    pen.setCosmetic(true);
    painter.setPen(pen);
    const PlotMap map(r, area);
    bool in_run = false;
    bool has_previous_column = false;
    int column = 0;
    int first_row = 0;
    int last_row = 0;
    int low = 0;
    int high = 0;
    int points = 0;
    QPoint previous_last;
    auto close_column = [&] {
        if (!in_run)
            return;
        if (points > 1)
            painter.drawLine(column, low, column, high);
        if (has_previous_column)
            painter.drawLine(previous_last, QPoint(column, first_row));
        previous_last = QPoint(column, last_row);
        has_previous_column = true;
    };
    for (std::size_t i = 0; i < store.x.size(); ++i) {
        const double x = store.x[i];
        const double y = store.y[i];
        if (std::isnan(x) || std::isnan(y)) {
            close_column();
            in_run = false;
            has_previous_column = false;
            continue;
        }
        const int px = map.x.place(x);
        const int py = map.y.place(y);
        if (in_run && px == column) {
            low = std::min(low, py);
            high = std::max(high, py);
            last_row = py;
            ++points;
            continue;
        }
        close_column();
        in_run = true;
        column = px;
        first_row = last_row = low = high = py;
        points = 1;
    }
    close_column();
    return image;
}

// Data sets whose finite x never decrease, each a rule for point i of n.
struct DataSet {
    const char* name;
    int points;
    std::function<std::pair<double, double>(int i, std::mt19937& rng)> point;
};

std::vector<DataSet> data_sets() {
    return {
        {"steps and jumps", 300000,
         [y = 0.0](int i, std::mt19937& rng) mutable {
             std::normal_distribution<double> step(0.0, 1.0);
             y += step(rng) + (i % 4099 == 0 ? 200.0 : 0.0);
             return std::pair{double(i), y};
         }},
        {"spikes on flat runs", 200000,
         [](int i, std::mt19937& rng) {
             std::uniform_int_distribution<int> spike(0, 999);
             const int s = spike(rng);
             const double y = s == 0 ? 50.0 : s == 1 ? -50.0 : std::floor(i / 20000.0);
             return std::pair{i * 0.5, y};
         }},
        {"missing y, alone and in runs", 150000,
         [](int i, std::mt19937& rng) {
             std::uniform_int_distribution<int> pick(0, 499);
             const bool missing = pick(rng) == 0 || (i / 1000) % 37 == 5;
             return std::pair{double(i), missing ? kNaN : std::sin(i * 0.001)};
         }},
        {"gap lines (x and y missing)", 150000,
         [](int i, std::mt19937& rng) {
             std::uniform_int_distribution<int> pick(0, 299);
             if (pick(rng) == 0 || (i >= 70000 && i < 70100))
                 return std::pair{kNaN, kNaN};
             return std::pair{double(i), std::cos(i * 0.0007) * (1 + i % 3)};
         }},
        {"every other point a gap line", 100000,
         [](int i, std::mt19937&) {
             return i % 2 ? std::pair{kNaN, kNaN} : std::pair{double(i), std::sin(i * 1e-4)};
         }},
        {"long runs of gap lines", 200000,
         [](int i, std::mt19937&) {
             if (i % 7919 > 6400)
                 return std::pair{kNaN, kNaN};
             return std::pair{double(i), std::sin(i * 3e-4) + 0.001 * (i % 7)};
         }},
        {"leading gaps", 5000,
         [](int i, std::mt19937&) {
             return i < 40 ? std::pair{kNaN, kNaN} : std::pair{i * 0.01, std::sin(i * 0.01)};
         }},
        {"repeated x in bursts", 250000,
         [](int i, std::mt19937& rng) {
             std::uniform_real_distribution<double> u(-1.0, 1.0);
             return std::pair{double(i / 700), u(rng) + (i / 700) % 5};
         }},
        {"uneven spacing", 200000,
         [x = 0.0](int, std::mt19937& rng) mutable {
             std::exponential_distribution<double> gap(1.0);
             x += gap(rng) * gap(rng);
             return std::pair{x, std::sin(x * 0.01) + 0.1 * gap(rng)};
         }},
        {"infinite y and x", 40000,
         [](int i, std::mt19937&) {
             const double y = i % 5000 == 17 ? kInf : i % 6007 == 3 ? -kInf : std::sin(i * 1e-3);
             return std::pair{i == 39999 ? kInf : double(i), y};
         }},
        {"fewer points than a block", 20,
         [](int i, std::mt19937&) {
             return std::pair{double(i), double(i % 3)};
         }},
    };
}

TEST(CollapsedCurve, BlockSummariesDrawWhatEveryPointDraws) {
    struct Area {
        const char* name;
        PixelRect rect;
    };
    const Area areas[] = {
        {"wide", {40, 20, 780, 560}},
        {"narrow", {10, 5, 17, 300}},
        {"one column", {30, 10, 31, 200}},
        {"flat", {40, 20, 600, 24}},
    };
    for (const DataSet& set : data_sets()) {
        std::mt19937 rng(20);
        LineContainer store;
        for (int i = 0; i < set.points; ++i) {
            const auto [x, y] = set.point(i, rng);
            store.add_point(x, y, 0);
        }
        ASSERT_NE(store.block_summary(), nullptr) << set.name;
        double x_first = kNaN;
        double x_last = kNaN;
        for (double x : store.x) {
            if (std::isfinite(x)) {
                x_last = x;
                if (std::isnan(x_first))
                    x_first = x;
            }
        }
        const double w = x_last - x_first;
        const double y_low = store.y_min == -kInf ? -2 : store.y_min;
        const double y_high = store.y_max == kInf ? 2 : store.y_max;
        const double h = y_high - y_low;
        const struct {
            const char* name;
            plot_limits r;
        } ranges[] = {
            {"all", {x_first, x_last, y_low, y_high}},
            {"zoomed in", {x_first + 0.3137 * w, x_first + 0.3391 * w, y_low, y_high}},
            {"a few points", {x_first + 0.5 * w, x_first + 0.5 * w + 37.3, y_low, y_high}},
            {"panned past the end", {x_first + 0.6 * w, x_first + 1.6 * w, y_low, y_high}},
            {"before the start", {x_first - w, x_first + 0.01 * w, y_low, y_high}},
            {"reversed", {x_last, x_first, y_low, y_high}},
            {"y cut", {x_first, x_last, y_low + 0.4 * h, y_low + 0.6 * h}},
            {"y inverted", {x_first, x_last, y_high, y_low}},
        };
        int strip = 0;
        auto check = [&](const std::string& what, const plot_limits& r, const PixelRect& rect) {
            // Runs written into a 32-bit image's rows, and runs painted as lines.
            for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888}) {
                const std::string name =
                    what + (format == QImage::Format_RGB32 ? ", written runs" : ", painted lines");
                const QImage reference = draw_reference(store, r, rect, format);
                ASSERT_TRUE(draw(store, r, rect, format, true) == reference) << name << ", blocks";
                ASSERT_TRUE(draw(store, r, rect, format, false) == reference) << name << ", scan";
                // Strips of one column, of a few, and as wide as a plot draws them.
                constexpr int kStrips[] = {64, 1, 7, 200};
                const int width = kStrips[strip++ % 4];
                ASSERT_TRUE(draw_in_strips(store, r, rect, format, width) == reference)
                    << name << ", strips of " << width;
            }
        };
        for (const Area& area : areas) {
            for (const auto& range : ranges)
                check(std::string(set.name) + ", " + area.name + ", " + range.name, range.r,
                      area.rect);
        }
        // Ranges and sizes of every kind: ends anywhere within blocks, from a handful of points
        // per column to thousands.
        std::uniform_real_distribution<double> at(-0.1, 1.1);
        std::uniform_real_distribution<double> scale(-6.0, 0.0);
        std::uniform_int_distribution<int> size(1, 900);
        for (int k = 0; k < 12; ++k) {
            const double start = x_first + at(rng) * w;
            const double width = w * std::pow(10.0, scale(rng));
            const PixelRect rect{5, 5, 5 + size(rng), 5 + size(rng) / 2};
            check(std::string(set.name) + ", random range " + std::to_string(k),
                  {start, start + width, y_low, y_high}, rect);
        }
    }
}

}  // namespace
}  // namespace tarvik
