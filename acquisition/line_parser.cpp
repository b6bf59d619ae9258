#include "line_parser.h"

#include <algorithm>
#include <cstring>

#include "number_scan.h"

namespace tarvik {

LineParser::LineParser(int xcol, int ycol)
    : xcol_(xcol),
      ycol_(ycol),
      last_column_(std::max(xcol, ycol)),
      comma_limit_(std::max(xcol, ycol) + 1),
      two_value_(xcol != -1 && xcol != ycol) {}

void LineParser::prepare_commas(std::string_view line, int comma_limit, std::string& out) {
    out.clear();
    if (line.empty())
        return;
    if (line.front() == ',')
        out.push_back('X');
    int commas = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c != ',' || commas >= comma_limit) {
            out.push_back(c);
            continue;
        }
        ++commas;
        out.push_back(' ');
        if (i + 1 < line.size() && line[i + 1] == ',')
            out.push_back('X');
    }
}

LineParser::Result LineParser::parse(std::string_view line, GapRule rule, double& x, double& y) {
    // The scanner sees the line as a C string: a NUL byte ends its text.
    const bool leading_comma = !line.empty() && line.front() == ',';
    const bool gap = rule == GapRule::LeadingNaN
                         // The preparation only changes the first characters when the line starts
                         // with a comma.
                         ? !leading_comma && (line.starts_with("NaN") || line.starts_with("nan"))
                         : line.starts_with("NaN") && (line.size() == 3 || line[3] == '\0');
    if (gap)
        return Result::Gap;

    // Without a leading comma or two adjacent commas among the first ones, the preparation only
    // turns commas into blanks, which the scanner does as it goes; otherwise scan a prepared
    // copy.
    if (!leading_comma) {
        CommaBudget commas{comma_limit_, 0, false};
        const bool converted = scan(line, commas, x, y);
        if (!commas.adjacent)
            return converted ? Result::Point : Result::NoPoint;
    }
    if (const void* nul = std::memchr(line.data(), '\0', line.size())) {
        line =
            line.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - line.data()));
    }
    prepare_commas(line, comma_limit_, prepared_);
    CommaBudget none;
    return scan(prepared_, none, x, y) ? Result::Point : Result::NoPoint;
}

bool LineParser::scan(std::string_view text, CommaBudget& commas, double& x, double& y) const {
    const char* p = text.data();
    const char* const end = p + text.size();
    double values[2] = {0.0, 0.0};
    int converted = 0;
    for (int column = 0; column <= last_column_; ++column) {
        if (column == xcol_ || column == ycol_) {
            if (!scan_number(p, end, values[converted], commas))
                break;
            ++converted;
        } else if (!skip_field(p, end, commas)) {
            break;
        }
        if (commas.adjacent)
            return false;  // the caller scans a prepared copy
    }
    if (!two_value_) {
        if (converted != 1)
            return false;
        y = values[0];
        return true;
    }
    if (converted != 2)
        return false;
    // The numbers arrive in column order.
    x = xcol_ < ycol_ ? values[0] : values[1];
    y = xcol_ < ycol_ ? values[1] : values[0];
    return true;
}

}  // namespace tarvik
