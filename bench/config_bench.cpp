// Saving and reading a configuration of 20 curves.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "configuration_writer.h"
#include "xml_parse.h"

namespace {

using namespace tarvik;

ConfigurationValues twenty_curves() {
    ConfigurationValues v;
    v.x_minimum = -2.5;
    v.x_maximum = 1.5e7;
    v.title = "Pressure & temperature <live>";
    for (int i = 0; i < 20; ++i) {
        v.curves.push_back({"/data/run/sensor_" + std::to_string(i) + ".txt", 0, i + 1,
                            "sensor " + std::to_string(i), 255, i * 10, 0, i % 5, 1, 2, i % 2 == 0,
                            1});
    }
    return v;
}

std::string scratch_file() {
    return (std::filesystem::temp_directory_path() / "tarvik_config_bench.xml").string();
}

// The file's text alone.
void BM_ConfigurationText20(benchmark::State& state) {
    const ConfigurationValues v = twenty_curves();
    for (auto _ : state)
        benchmark::DoNotOptimize(configuration_text(v));
}
BENCHMARK(BM_ConfigurationText20);

// The whole save: text, temporary file, flush to the disk, rename.
void BM_SaveConfiguration20(benchmark::State& state) {
    const ConfigurationValues v = twenty_curves();
    const std::string path = scratch_file();
    std::string error;
    for (auto _ : state) {
        if (!save_configuration(path, v, error))
            state.SkipWithError(error.c_str());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveConfiguration20)->Unit(benchmark::kMicrosecond);

void BM_ReadConfiguration20(benchmark::State& state) {
    const std::string path = scratch_file();
    std::string error;
    if (!save_configuration(path, twenty_curves(), error))
        state.SkipWithError(error.c_str());
    for (auto _ : state) {
        PlotConfiguration c;
        xml_parse::read(path, c);
        benchmark::DoNotOptimize(c.files.data());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadConfiguration20)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
