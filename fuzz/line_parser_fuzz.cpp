// One data line with a pair of columns taken from the first two bytes. The parser must agree
// with the plain sscanf reading wherever the two read the same grammar.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "line_parser.h"
#include "plain_reader.h"

namespace {

// The parser reads the file format's numbers; sscanf also reads nan, inf, hexadecimal ("0X"
// ends a field there, the placeholder X does not) and gives up on a dangling exponent.
// Compare only lines free of those.
bool same_grammar(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == 'e' || c == 'E') {
            const std::size_t d =
                i + 1 < line.size() && (line[i + 1] == '+' || line[i + 1] == '-') ? i + 2 : i + 1;
            if (d >= line.size() || line[d] < '0' || line[d] > '9')
                return false;
        } else if (c == 'X' && i > 0 && line[i - 1] == '0') {
            return false;
        } else if (std::string_view("0123456789+-. ,\t\vXw").find(c) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

bool same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const int xcol = data[0] % 9 - 1;  // -1 selects elapsed time
    const int ycol = data[1] % 8;
    const std::string line(reinterpret_cast<const char*>(data) + 2, size - 2);

    tarvik::LineParser parser(xcol, ycol);
    double x = 0, y = 0;
    parser.parse(line, tarvik::GapRule::ExactlyNaN, x, y);
    const auto result = parser.parse(line, tarvik::GapRule::LeadingNaN, x, y);
    if (!same_grammar(line))
        return 0;

    double px = 0, py = 0;
    const bool expected = tarvik::plain::parse_line(line, xcol, ycol, px, py);
    if ((result == tarvik::LineParser::Result::Point) != expected)
        __builtin_trap();
    if (expected && (!same(y, py) || (parser.x_from_column() && !same(x, px))))
        __builtin_trap();
    return 0;
}
