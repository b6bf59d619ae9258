// The plot document's refresh paths: a timer tick over curves whose files did not change, a
// tick after one line was appended to a large file, and the history rotation of a large curve.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "bench_files.h"
#include "headless_view.h"
#include "plot_view_state.h"
#include "tarvik_doc.h"
#include "timer_tick.h"

namespace {

using namespace tarvik;
namespace tb = tarvik::bench;

void BM_TickOverUnchangedCurves(benchmark::State& state) {
    const auto curves = static_cast<int>(state.range(0));
    testing::HeadlessView view;
    CTarvikDoc doc(&view);
    for (int i = 0; i < curves; ++i) {
        const std::string path = tb::scratch_folder() + "/small-" + std::to_string(i) + ".txt";
        tb::write_sine_file(path, 1000);
        doc.append_curve(path, 0, 1, "", true);
    }
    view.state().m_TimerId = 1;
    int updated = 0;
    for (auto _ : state)
        updated += timer_tick(doc, view.state(), 1).updated ? 1 : 0;
    if (updated != 0)
        state.SkipWithError("a tick read a file that did not change");
}
BENCHMARK(BM_TickOverUnchangedCurves)->Arg(20)->Unit(benchmark::kMicrosecond);

// One curve on a 100 MB file in new-lines-only mode, history size 0: each tick follows one
// appended line.
void BM_TickAfterOneAppendedLine(benchmark::State& state) {
    const std::string path = tb::scratch_folder() + "/grow-doc.txt";
    tb::write_sine_file_of_size(path, state.range(0));
    testing::HeadlessView view;
    CTarvikDoc doc(&view);
    doc.append_curve(path, 0, 1, "", true);
    view.state().m_TimerId = 1;
    std::FILE* f = std::fopen(path.c_str(), "ab");
    int missed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::fputs("1.000,2.000,3.000\n", f);
        std::fflush(f);
        state.ResumeTiming();
        if (!timer_tick(doc, view.state(), 1).updated)
            ++missed;
    }
    std::fclose(f);
    if (missed != 0)
        state.SkipWithError("a tick missed an appended line");
    state.counters["points"] = doc.history(0).front().count;
}
BENCHMARK(BM_TickAfterOneAppendedLine)
    ->Arg(99000000)
    ->Arg(104857600)
    ->Unit(benchmark::kMicrosecond);

// History size 10 on a 1,000,000-point curve: every refresh copies the newest store once.
void BM_HistoryRotation(benchmark::State& state) {
    const std::string path = tb::scratch_folder() + "/sine-1m-doc.txt";
    tb::write_sine_file(path, 1000000);
    testing::HeadlessView view;
    CTarvikDoc doc(&view);
    doc.append_curve(path, 0, 1, "", true);
    doc.resize_history(0, 11);
    for (int i = 0; i < 11; ++i)
        doc.refresh_curve(0);  // every generation full
    for (auto _ : state)
        doc.refresh_curve(0);
    std::size_t bytes = 0;
    for (const LineContainer& c : doc.history(0)) {
        bytes += c.x.capacity() * sizeof(double) + c.y.capacity() * sizeof(double);
    }
    state.counters["history_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_HistoryRotation)->Unit(benchmark::kMillisecond);

}  // namespace
