// Drawing curves: the column-collapsed drawing of a solid one-pixel line against drawing every
// segment, for 1,000,000 and 10,000,000 sine points in an 800 x 600 image.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "curve_painter.h"

namespace {

using namespace tarvik;

const LineContainer& sine_curve(int points) {
    static LineContainer one_million;
    static LineContainer ten_million;
    LineContainer& c = points > 1000000 ? ten_million : one_million;
    if (c.count == 0) {
        const double step = (std::acos(-1.0) + std::acos(-1.0)) / 64;
        for (int i = 0; i < points; ++i)
            c.add_point(i * step, std::sin(i * step), 0);
    }
    return c;
}

void draw_curve(benchmark::State& state, bool collapse) {
    const LineContainer& c = sine_curve(static_cast<int>(state.range(0)));
    plot_limits r;
    r.m_XMin = c.x_min;
    r.m_XMax = c.x_max;
    r.m_YMin = -1.1;
    r.m_YMax = 1.1;
    const PixelRect area{50, 20, 790, 560};
    QImage image(800, 600, QImage::Format_RGB32);
    const CurvePen pen{QColor(255, 0, 0), SOLID, 1, 0};
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setClipRect(area.left, area.top, area.width() + 1, area.height() + 1);
        paint_curve(painter, c, r, area, pen, CurvePaintOptions{collapse});
    }
}

void BM_DrawCollapsed(benchmark::State& state) {
    draw_curve(state, true);
}
void BM_DrawEverySegment(benchmark::State& state) {
    draw_curve(state, false);
}

BENCHMARK(BM_DrawCollapsed)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawEverySegment)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
