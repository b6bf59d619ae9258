#include "bench_files.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace tarvik::bench {

const std::string& scratch_folder() {
    // A folder named by TARVIK_BENCH_DATA keeps its files from run to run: large ones take
    // minutes to write.
    if (const char* kept = std::getenv("TARVIK_BENCH_DATA")) {
        static const std::string folder = [kept] {
            std::filesystem::create_directories(kept);
            return std::string(kept);
        }();
        return folder;
    }
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarvik-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        return pattern;
    }();
    static const struct Cleanup {
        ~Cleanup() {
            std::error_code ec;
            std::filesystem::remove_all(folder, ec);
        }
    } cleanup;
    return folder;
}

namespace {

std::int64_t write_lines(const std::string& path, std::int64_t lines, std::int64_t min_bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw std::runtime_error("cannot write " + path);
    const double step = (std::acos(-1.0) + std::acos(-1.0)) / 64;
    double angle = 0.0;
    std::int64_t bytes = 0;
    for (std::int64_t i = 0; i < lines || bytes <= min_bytes; ++i) {
        bytes += std::fprintf(f, "%.3f,%.3f,%.3f\n", angle, std::sin(angle), std::cos(angle));
        angle += step;
    }
    std::fclose(f);
    return bytes;
}

}  // namespace

std::int64_t write_sine_file(const std::string& path, std::int64_t lines) {
    return write_lines(path, lines, -1);
}

std::int64_t write_sine_file_of_size(const std::string& path, std::int64_t min_bytes) {
    std::error_code ec;
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path, ec));
    if (!ec && size > min_bytes && std::getenv("TARVIK_BENCH_DATA"))
        return size;  // kept from an earlier run, perhaps grown since
    const std::string partial = path + ".partial";
    const std::int64_t bytes = write_lines(partial, 0, min_bytes);
    std::filesystem::rename(partial, path);
    return bytes;
}

}  // namespace tarvik::bench
