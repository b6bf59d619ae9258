// Reading data files: the whole-file read against a plain sscanf reading of the same rules,
// the line-stream read of a file over the whole-read limit, and the new-lines-only refresh of
// a large file after one appended line.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench_files.h"
#include "data_file_reader.h"
#include "plain_reader.h"

namespace {

using tarvik::FileSpec;
using tarvik::LineContainer;
namespace tb = tarvik::bench;

const std::string& million_line_file() {
    static const std::string path = [] {
        const std::string p = tb::scratch_folder() + "/sine-1m.txt";
        tb::write_sine_file(p, 1000000);
        return p;
    }();
    return path;
}

FileSpec columns_0_1(const std::string& path) {
    FileSpec spec;
    spec.file = path;
    spec.xcol = 0;
    spec.ycol = 1;
    return spec;
}

void BM_WholeFileRead(benchmark::State& state) {
    const FileSpec spec = columns_0_1(million_line_file());
    for (auto _ : state) {
        LineContainer c;
        tarvik::read_data_file(spec, c);
        benchmark::DoNotOptimize(c.count);
    }
    state.SetBytesProcessed(state.iterations() * 23000000LL);
}
BENCHMARK(BM_WholeFileRead)->Unit(benchmark::kMillisecond);

void BM_SscanfBaseline(benchmark::State& state) {
    const FileSpec spec = columns_0_1(million_line_file());
    for (auto _ : state) {
        LineContainer c;
        tarvik::plain::sscanf_read_data_file(spec, c);
        benchmark::DoNotOptimize(c.count);
    }
}
BENCHMARK(BM_SscanfBaseline)->Unit(benchmark::kMillisecond);

// Reads a file of at least min_bytes into a new store; bytes per second compare the two ways.
void read_file_of_size(benchmark::State& state, const std::string& name, std::int64_t min_bytes) {
    const std::string path = tb::scratch_folder() + "/" + name;
    const std::int64_t bytes = tb::write_sine_file_of_size(path, min_bytes);
    const FileSpec spec = columns_0_1(path);
    for (auto _ : state) {
        LineContainer c;
        tarvik::read_data_file(spec, c);
        benchmark::DoNotOptimize(c.count);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

// Over the whole-read limit: the file is read as a stream of lines.
void BM_LineStreamRead(benchmark::State& state) {
    read_file_of_size(state, "sine-large.txt", tarvik::kLargestFileReadWhole);
}
BENCHMARK(BM_LineStreamRead)->Unit(benchmark::kMillisecond);

// Just under the limit, read whole.
void BM_WholeFileReadLargest(benchmark::State& state) {
    read_file_of_size(state, "sine-limit.txt", 99000000);
}
BENCHMARK(BM_WholeFileReadLargest)->Unit(benchmark::kMillisecond);

// New lines only: one line appended to a large file, then the refresh read. range(0) picks a
// file under the whole-read limit (0) or over it (1).
void BM_NewLinesOnlyAfterAppend(benchmark::State& state) {
    const bool over_limit = state.range(0) == 1;
    const std::string path = tb::scratch_folder() + (over_limit ? "/grow-large.txt" : "/grow.txt");
    tb::write_sine_file_of_size(path, over_limit ? 104857600 : 99000000);
    FileSpec spec = columns_0_1(path);
    spec.add_only = true;
    LineContainer c;
    tarvik::read_data_file(spec, c);
    std::FILE* f = std::fopen(path.c_str(), "ab");
    for (auto _ : state) {
        state.PauseTiming();
        std::fputs("1.000,2.000,3.000\n", f);
        std::fflush(f);
        state.ResumeTiming();
        tarvik::read_data_file(spec, c);
    }
    std::fclose(f);
    state.counters["points"] = c.count;
}
BENCHMARK(BM_NewLinesOnlyAfterAppend)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
