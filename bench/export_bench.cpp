// Saving a plot's picture: reducing an 801 x 601 drawing to the 16-colour palette, and writing
// the result as a PNG file.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QPainter>
#include <cmath>
#include <string>

#include "bench_files.h"
#include "capture.h"
#include "png_writer.h"

namespace {

constexpr int kClientWidth = 800;  // the picture is one pixel larger each way
constexpr int kClientHeight = 600;

// A plot-like drawing: a grid, axes and a few sine curves in colours outside the palette.
void draw_plot(QPainter& p) {
    p.setPen(QColor(200, 200, 200));
    for (int x = 50; x < kClientWidth; x += 50)
        p.drawLine(x, 0, x, kClientHeight);
    for (int y = 50; y < kClientHeight; y += 50)
        p.drawLine(0, y, kClientWidth, y);
    p.setPen(Qt::black);
    p.drawLine(40, kClientHeight - 40, kClientWidth, kClientHeight - 40);
    p.drawLine(40, 0, 40, kClientHeight - 40);
    const QColor colours[] = {QColor(255, 165, 0), QColor(30, 90, 200), QColor(20, 160, 60)};
    for (int c = 0; c < 3; ++c) {
        p.setPen(QPen(colours[c], 2));
        QPointF previous(40, 300);
        for (int x = 41; x <= kClientWidth; ++x) {
            const QPointF next(x, 300 - (200 - 40 * c) * std::sin((x + 70 * c) / 60.0));
            p.drawLine(previous, next);
            previous = next;
        }
    }
}

tarvik::PngWriteRequest request_for(const tarvik::Gdi::dib& image, const std::string& file,
                                    char* error) {
    tarvik::PngWriteRequest r;
    r.file_name = file.c_str();
    r.header = image.header();
    r.bits = image.bits();
    r.bits_size = image.image_size();
    r.software = "Tarvik";
    r.error_text = error;
    return r;
}

void BM_Capture(benchmark::State& state) {
    for (auto _ : state) {
        const tarvik::Gdi::dib image =
            tarvik::capture_image(kClientWidth, kClientHeight, draw_plot);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_Capture)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WritePng(benchmark::State& state) {
    const tarvik::Gdi::dib image = tarvik::capture_image(kClientWidth, kClientHeight, draw_plot);
    const std::string file = tarvik::bench::scratch_folder() + "/plot.png";
    char error[tarvik::kPngErrorTextSize];
    const tarvik::PngWriteRequest request = request_for(image, file, error);
    for (auto _ : state)
        if (tarvik::write_png(request) != tarvik::kPngSuccess)
            state.SkipWithError(error);
}
BENCHMARK(BM_WritePng)->Unit(benchmark::kMillisecond)->UseRealTime();

// What one periodic save costs: capture and PNG write together.
void BM_CaptureAndWritePng(benchmark::State& state) {
    const std::string file = tarvik::bench::scratch_folder() + "/plot.png";
    char error[tarvik::kPngErrorTextSize];
    for (auto _ : state) {
        const tarvik::Gdi::dib image =
            tarvik::capture_image(kClientWidth, kClientHeight, draw_plot);
        if (tarvik::write_png(request_for(image, file, error)) != tarvik::kPngSuccess)
            state.SkipWithError(error);
    }
}
BENCHMARK(BM_CaptureAndWritePng)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
