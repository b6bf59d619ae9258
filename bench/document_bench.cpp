// The plot document's refresh paths: a timer tick over curves whose files did not change, a
// tick after one line was appended to a large file (new lines only, and full update on files of
// 1 MB, 229 MB and 2.3 GB), the history rotation of a large curve, and the memory of ten
// generations of a curve in full-update mode.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
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

// One curve on a file of range(0) bytes, new lines only or full update: each tick follows
// one line that `append` writes.
template <typename Append>
void tick_after_appends(benchmark::State& state, const std::string& path, bool add_only,
                        Append append) {
    tb::write_sine_file_of_size(path, state.range(0));
    testing::HeadlessView view;
    CTarvikDoc doc(&view);
    doc.append_curve(path, 0, 1, "", add_only);
    view.state().m_TimerId = 1;
    std::FILE* f = std::fopen(path.c_str(), "ab");
    int missed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        append(f);
        state.ResumeTiming();
        if (!timer_tick(doc, view.state(), 1).updated)
            ++missed;
    }
    std::fclose(f);
    if (missed != 0)
        state.SkipWithError("a tick missed an appended line");
    state.counters["points"] = doc.history(0).front().count;
}

// One curve on a 100 MB file in new-lines-only mode, history size 0: each tick follows one
// appended line.
void BM_TickAfterOneAppendedLine(benchmark::State& state) {
    tick_after_appends(state, tb::scratch_folder() + "/grow-doc.txt", true, [](std::FILE* f) {
        std::fputs("1.000,2.000,3.000\n", f);
        std::fflush(f);
    });
}
BENCHMARK(BM_TickAfterOneAppendedLine)
    ->Arg(99000000)
    ->Arg(104857600)
    ->Unit(benchmark::kMicrosecond);

// Appends one line to path with an x beyond any before it, as a producer does.
void append_line(std::FILE* f) {
    static long long x = 1000000000;
    std::fprintf(f, "%lld.000,0.500,0.500\n", ++x);
    std::fflush(f);
}

// One curve in full-update mode (history size 0) on a file of range(0) bytes: each tick
// follows one appended line.
void BM_FullUpdateAfterOneAppendedLine(benchmark::State& state) {
    tick_after_appends(state,
                       tb::scratch_folder() + "/full-" + std::to_string(state.range(0)) + ".txt",
                       false, append_line);
}
// Timed by the wall clock: a large file's old bytes are checked on two threads.
BENCHMARK(BM_FullUpdateAfterOneAppendedLine)
    ->Arg(1000000)
    ->Arg(229000000)
    ->Arg(2300000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The process's resident memory.
double resident_mb() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1e6;
}

// A curve of range(0) bytes in full-update mode with history size 10, after ten appended
// lines: the memory its eleven generations hold against the memory of one.
void BM_FullUpdateHistoryMemory(benchmark::State& state) {
    const std::string path =
        tb::scratch_folder() + "/full-" + std::to_string(state.range(0)) + ".txt";
    tb::write_sine_file_of_size(path, state.range(0));
    double one = 0;
    double eleven = 0;
    for (auto _ : state) {
        const double empty = resident_mb();
        testing::HeadlessView view;
        CTarvikDoc doc(&view);
        doc.append_curve(path, 0, 1, "", false);
        one = resident_mb() - empty;
        doc.resize_history(0, 11);
        std::FILE* f = std::fopen(path.c_str(), "ab");
        for (int i = 0; i < 10; ++i) {
            append_line(f);
            doc.refresh_curve(0);
        }
        std::fclose(f);
        eleven = resident_mb() - empty;
    }
    state.counters["one_generation_MB"] = one;
    state.counters["eleven_generations_MB"] = eleven;
    state.counters["ratio"] = eleven / one;
}
BENCHMARK(BM_FullUpdateHistoryMemory)
    ->Arg(229000000)
    ->Arg(2300000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

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
    // Points of x and y held, counting memory that generations share once.
    std::map<const double*, std::size_t> held;
    for (const LineContainer& c : doc.history(0)) {
        for (const auto* series : {&c.x, &c.y}) {
            std::size_t& n = held[series->data()];
            n = std::max(n, series->size());
        }
    }
    std::size_t bytes = 0;
    for (const auto& [data, n] : held)
        bytes += n * sizeof(double);
    state.counters["history_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_HistoryRotation)->Unit(benchmark::kMillisecond);

}  // namespace
