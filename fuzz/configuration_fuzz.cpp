// Any bytes as a configuration file: the reader ends, raises parse_error at most, and never
// reads out of bounds.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "xml_parse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    tarvik::PlotConfiguration config;
    try {
        tarvik::xml_parse::read(in, config);
    } catch (const tarvik::parse_error&) {
        return 0;
    }
    if (config.files.size() > tarvik::PlotConfiguration::kMaxCurves)
        __builtin_trap();
    return 0;
}
