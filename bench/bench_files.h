// Data files the benchmarks generate for themselves in a scratch folder.
#pragma once

#include <cstdint>
#include <string>

namespace tarvik::bench {

// A scratch folder removed at exit, or the folder TARVIK_BENCH_DATA names, kept.
const std::string& scratch_folder();

// Writes `lines` lines "%.3f,%.3f,%.3f\n" of angle, sine and cosine (angle step 2*pi/64) to
// path, unless it already holds exactly that many bytes. Returns the file size.
std::int64_t write_sine_file(const std::string& path, std::int64_t lines);

// Writes sine lines to path until it is larger than min_bytes; in a kept folder, a file that is
// already larger is kept as it is.
std::int64_t write_sine_file_of_size(const std::string& path, std::int64_t min_bytes);

}  // namespace tarvik::bench
