// From data file to picture: read the 1,000,000-line sine file, draw it at 800 x 600 and write
// the 16-colour PNG, as a plot's Save As does.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_files.h"
#include "captured_image_file.h"
#include "headless_view.h"
#include "plot_image.h"
#include "plot_view_state.h"
#include "tarvik_doc.h"
#include "view_ranges.h"

namespace {

using namespace tarvik;
namespace tb = tarvik::bench;

void BM_ReadDrawWritePng(benchmark::State& state) {
    const std::string data = tb::scratch_folder() + "/sine-1m-e2e.txt";
    tb::write_sine_file(data, 1000000);
    const std::string png = tb::scratch_folder() + "/plot.png";
    for (auto _ : state) {
        testing::HeadlessView view;
        CTarvikDoc doc(&view);
        doc.append_curve(data, 0, 1, "sine", false, CurveDrawing{rgb(255, 0, 0), SOLID, 1, 0});
        PlotViewState& s = view.state();
        apply_automatic_x_range(s, doc);
        apply_automatic_y_range(s, doc);
        s.m_ClientRect = PixelRect{0, 0, 800, 600};
        SaveImage(s, doc, png, kImageFormatPng);
    }
}
BENCHMARK(BM_ReadDrawWritePng)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
