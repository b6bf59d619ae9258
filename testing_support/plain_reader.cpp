#include "plain_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

namespace tarvik::plain {

namespace {

std::string scan_format(int xcol, int ycol) {
    std::string format;
    const int last = std::max(xcol, ycol);
    for (int c = 0; c <= last; ++c)
        format += (c == xcol || c == ycol) ? " %lf" : " %*s";
    return format;
}

bool scan(const std::string& prepared, const std::string& format, int xcol, int ycol, double& x,
          double& y) {
    double a = 0, b = 0;
    if (xcol == ycol || xcol == -1) {
        if (std::sscanf(prepared.c_str(), format.c_str(), &a) != 1)
            return false;
        y = a;
        return true;
    }
    if (std::sscanf(prepared.c_str(), format.c_str(), &a, &b) != 2)
        return false;
    x = xcol < ycol ? a : b;
    y = xcol < ycol ? b : a;
    return true;
}

}  // namespace

std::string prepare_commas(std::string line, int k) {
    if (line.empty())
        return line;
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
    return line;
}

bool parse_line(const std::string& line, int xcol, int ycol, double& x, double& y) {
    const std::string prepared = prepare_commas(line, std::max(xcol, ycol) + 1);
    return scan(prepared, scan_format(xcol, ycol), xcol, ycol, x, y);
}

void sscanf_read_data_file(const FileSpec& spec, LineContainer& container) {
    const std::string format = scan_format(spec.xcol, spec.ycol);
    const int k = std::max(spec.xcol, spec.ycol) + 1;
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
        const std::string prepared = prepare_commas(line, k);
        if (prepared.size() >= 3 && (std::strncmp(prepared.c_str(), "NaN", 3) == 0 ||
                                     std::strncmp(prepared.c_str(), "nan", 3) == 0)) {
            const double nan = std::numeric_limits<double>::quiet_NaN();
            container.add_point(nan, nan);
            continue;
        }
        double x = static_cast<double>(index), y = 0;
        if (scan(prepared, format, spec.xcol, spec.ycol, x, y))
            container.add_point(x, y);
    }
}

}  // namespace tarvik::plain
