// Collapsed drawing through the block summaries against reading every point of the visible
// span: the same picture, pixel for pixel, for data that cuts the blocks in every way.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

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
    options.use_block_summary = by_blocks;
    paint_curve(painter, store, r, area, CurvePen{QColor(200, 0, 0), SOLID, 1, 0}, options);
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
        for (const Area& area : areas) {
            for (const auto& range : ranges) {
                // Runs written into a 32-bit image's rows, and runs painted as lines.
                const QImage written = draw(store, range.r, area.rect, QImage::Format_RGB32, true);
                ASSERT_TRUE(written == draw(store, range.r, area.rect, QImage::Format_RGB32, false))
                    << set.name << ", " << area.name << ", " << range.name << ", written runs";
                const QImage painted = draw(store, range.r, area.rect, QImage::Format_RGB888, true);
                ASSERT_TRUE(painted ==
                            draw(store, range.r, area.rect, QImage::Format_RGB888, false))
                    << set.name << ", " << area.name << ", " << range.name << ", painted lines";
                ASSERT_TRUE(written == painted.convertToFormat(QImage::Format_RGB32))
                    << set.name << ", " << area.name << ", " << range.name
                    << ", written as painted";
            }
        }
    }
}

}  // namespace
}  // namespace tarvik
