// Building a plot of 20 curves from a configuration file against reading the same 20 data
// files alone: the configuration should cost little beyond the reads.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_files.h"
#include "configuration_writer.h"
#include "data_file_reader.h"
#include "headless_view.h"
#include "line_container.h"
#include "load_configuration.h"
#include "prompt.h"
#include "tarvik_doc.h"

namespace {

using namespace tarvik;
namespace tb = tarvik::bench;

constexpr int kCurves = 20;
constexpr std::int64_t kLines = 1000000;

// The 20 data files (angle, sine, cosine) and a configuration naming them, sine and cosine
// alternately, with automatic ranges.
const std::string& configuration_file() {
    static const std::string path = [] {
        ConfigurationValues v;
        for (int i = 0; i < kCurves; ++i) {
            const std::string data =
                tb::scratch_folder() + "/million-" + std::to_string(i) + ".txt";
            tb::write_sine_file(data, kLines);
            v.curves.push_back({data, 0, 1 + i % 2, "curve " + std::to_string(i), i * 10, 0, 0,
                                i % 5, 1, 1, false, 1});
        }
        const std::string file = tb::scratch_folder() + "/twenty.xml";
        std::string error;
        save_configuration(file, v, error);
        return file;
    }();
    return path;
}

std::string data_file(int i) {
    return tb::scratch_folder() + "/million-" + std::to_string(i) + ".txt";
}

void BM_ReadTwentyFilesAlone(benchmark::State& state) {
    configuration_file();
    std::int64_t points = 0;
    for (auto _ : state) {
        std::vector<LineContainer> stores(kCurves);
        for (int i = 0; i < kCurves; ++i) {
            FileSpec spec;
            spec.file = data_file(i);
            spec.xcol = 0;
            spec.ycol = static_cast<std::int16_t>(1 + i % 2);
            spec.add_only = true;
            spec.time_unit = MINUTES;
            read_data_file(spec, stores[static_cast<std::size_t>(i)]);
            points += stores[static_cast<std::size_t>(i)].count;
        }
        benchmark::DoNotOptimize(stores.data());
    }
    state.counters["points"] =
        static_cast<double>(points) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ReadTwentyFilesAlone)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_LoadConfigurationOfTwentyCurves(benchmark::State& state) {
    const std::string& file = configuration_file();
    std::int64_t points = 0;
    for (auto _ : state) {
        testing::HeadlessView view;
        CTarvikDoc doc(&view);
        if (!LoadConfiguration(doc, file))
            state.SkipWithError("the configuration did not load");
        for (int i = 0; i < doc.curve_count(); ++i)
            points += doc.history(i).front().count;
    }
    state.counters["points"] =
        static_cast<double>(points) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_LoadConfigurationOfTwentyCurves)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
