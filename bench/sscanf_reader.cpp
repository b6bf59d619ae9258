#include "sscanf_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace tarvik::bench {

namespace {

void prepare_commas(std::string& line, int k) {
    if (line.empty())
        return;
    if (line[0] == ',')
        line.insert(line.begin(), 'X');
    std::size_t pos = 0;
    for (int met = 0; met < k; ++met) {
        const std::size_t c = line.find(',', pos);
        if (c == std::string::npos || c + 1 == line.size())
            break;
        if (line[c + 1] == ',')
            line.insert(line.begin() + static_cast<std::ptrdiff_t>(c) + 1, 'X');
        pos = c + 1;
    }
    pos = 0;
    for (int replaced = 0; replaced < k; ++replaced) {
        const std::size_t c = line.find(',', pos);
        if (c == std::string::npos)
            break;
        line[c] = ' ';
        pos = c + 1;
    }
}

}  // namespace

void sscanf_read_data_file(const FileSpec& spec, LineContainer& container) {
    std::string format;
    const int last = std::max(spec.xcol, spec.ycol);
    for (int c = 0; c <= last; ++c)
        format += (c == spec.xcol || c == spec.ycol) ? " %lf" : " %*s";
    const bool two_value = spec.xcol >= 0 && spec.xcol != spec.ycol;
    const std::int32_t skip = container.lines_taken;

    std::vector<char> bytes;
    if (std::FILE* f = std::fopen(spec.file.c_str(), "rb")) {
        std::fseek(f, 0, SEEK_END);
        bytes.resize(static_cast<std::size_t>(std::ftell(f)));
        std::fseek(f, 0, SEEK_SET);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
        std::fclose(f);
    }
    std::size_t pos = 0;
    std::int64_t n = 0;
    std::string line;
    while (pos < bytes.size()) {
        const auto nl =
            std::find(bytes.begin() + static_cast<std::ptrdiff_t>(pos), bytes.end(), '\n');
        if (nl == bytes.end())
            break;
        line.assign(bytes.begin() + static_cast<std::ptrdiff_t>(pos), nl);
        pos = static_cast<std::size_t>(nl - bytes.begin()) + 1;
        if (line.empty())
            break;
        if (line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '#')
            continue;
        const std::int64_t index = n++;
        if (spec.add_only && index < skip)
            continue;
        container.note_line_taken();
        prepare_commas(line, last + 1);
        double a = 0, b = 0;
        if (line.size() >= 3 && (std::strncmp(line.c_str(), "NaN", 3) == 0 ||
                                 std::strncmp(line.c_str(), "nan", 3) == 0)) {
            a = b = std::numeric_limits<double>::quiet_NaN();
            container.add_point(a, b);
        } else if (two_value) {
            if (std::sscanf(line.c_str(), format.c_str(), &a, &b) != 2)
                continue;
            container.add_point(spec.xcol < spec.ycol ? a : b, spec.xcol < spec.ycol ? b : a);
        } else {
            if (std::sscanf(line.c_str(), format.c_str(), &b) != 1)
                continue;
            container.add_point(static_cast<double>(index), b);
        }
    }
}

}  // namespace tarvik::bench
