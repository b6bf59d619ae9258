// Turns the text of one data line into a point for a given pair of columns: the comma
// preparation, the gap test and the column scan.
#pragma once

#include <string>
#include <string_view>

#include "number_scan.h"

namespace tarvik {

// Which lines are gaps (points that break the drawn curve): in the whole-file read any line
// starting with "NaN" or "nan", in the line-stream read only the line "NaN".
enum class GapRule { LeadingNaN, ExactlyNaN };

class LineParser {
  public:
    LineParser(int xcol, int ycol);

    enum class Result { NoPoint, Gap, Point };
    // line: one line without its line feed and final carriage return. For a Point, y is set
    // and x is set in two-value mode; the caller supplies x in the other modes.
    Result parse(std::string_view line, GapRule rule, double& x, double& y);

    bool x_from_column() const { return two_value_; }

    // The comma preparation: an "X" in every empty field among the first columns, and the
    // first max(xcol, ycol) + 1 commas turned into blanks. Exposed for tests.
    static void prepare_commas(std::string_view line, int comma_limit, std::string& out);

  private:
    bool scan(std::string_view text, CommaBudget& commas, double& x, double& y) const;

    int xcol_;
    int ycol_;
    int last_column_;
    int comma_limit_;
    bool two_value_;
    std::string prepared_;  // reused from line to line
};

}  // namespace tarvik
