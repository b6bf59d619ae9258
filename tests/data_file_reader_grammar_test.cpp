// The data file reader: the line grammar, comma preparation, gap lines and odd columns,
// read both ways.
#include "data_file_reader_fixture.h"

namespace {

using namespace reader_test;

INSTANTIATE_TEST_SUITE_P(Reader, BothWays, ::testing::Values(Way::WholeFile, Way::LineStream),
                         way_name);

constexpr double kIndex = -777.0;

struct LineCase {
    int xcol;
    int ycol;
    std::string line;
    Expected point;
};

const std::vector<LineCase>& line_cases() {
    static const std::vector<LineCase> cases = {
        // Blanks, tabs and the other C white space separate fields.
        {0, 1, "1 2", P(1, 2)},
        {0, 1, "  1\t2  ", P(1, 2)},
        {0, 1, "1\t\v\f2", P(1, 2)},
        {0, 1, "1\r2", P(1, 2)},
        {0, 1, "1 2 3", P(1, 2)},
        {0, 1, "1 2 anything, at all", P(1, 2)},
        // Number forms.
        {0, 1, "-3.5 +4.25", P(-3.5, 4.25)},
        {0, 1, ".5 5.", P(0.5, 5)},
        {0, 1, "1e3 2E-2", P(1000, 0.02)},
        {0, 1, "1.5e+2 -.5e1", P(150, -5)},
        {0, 1, "0001 007", P(1, 7)},
        {0, 1, "-0 1", P(-0.0, 1)},
        {0, 1, "0.1 0.7", P(0.1, 0.7)},
        {0, 1, "123456789012345678901234567890 1", P(123456789012345678901234567890.0, 1)},
        // Correct rounding, underflow and overflow as strtod does them.
        {0, 1, "9007199254740993 1", P(9007199254740992.0, 1)},
        {0, 1, "1.00000000000000011102230246251565404236316680908203125 1", P(1, 1)},
        {0, 1, "1.000000000000000111022302462515654042363166809082031250001 1",
         P(1.0000000000000002, 1)},
        {0, 1, "4.9e-324 1", P(std::numeric_limits<double>::denorm_min(), 1)},
        {0, 1, "1e-400 2", P(0, 2)},
        {0, 1, "1.7976931348623157e308 1", P(std::numeric_limits<double>::max(), 1)},
        {0, 1, "1.7976931348623159e308 1", P(kInf, 1)},
        {0, 1, "1e400 2", P(kInf, 2)},
        {0, 1, "-1e400 2", P(-kInf, 2)},
        // Not numbers: words, lone signs and points, hex, too few fields.
        {0, 1, "1", kNone},
        {0, 1, "1 ", kNone},
        {0, 1, "X 2", kNone},
        {0, 1, "1 x", kNone},
        {0, 1, "a 1 2", kNone},
        {0, 1, "+ 1 2", kNone},
        {0, 1, "- 1 2", kNone},
        {0, 1, ". 1 2", kNone},
        {0, 1, "1 .e5", kNone},
        {0, 1, "e5 1", kNone},
        {0, 1, "inf 1", kNone},
        {0, 1, "-inf 1", kNone},
        {0, 1, "Inf 1", kNone},
        {0, 1, "infinity 2", kNone},
        {0, 1, "1 inf", kNone},
        {0, 1, "1 nan", kNone},
        {0, 1, "NAN 1", kNone},
        {0, 1, "Nan 1", kNone},
        {0, 1, "1;2", kNone},
        // Text glued to a number is left for the next conversion.
        {0, 1, "1.5abc 2", kNone},
        {0, 2, "1.5abc 7 9", P(1.5, 7)},
        {0, 1, "0x10 2", kNone},
        {0, 2, "0x10 7 9", P(0, 7)},
        {0, 0, "0x10", P(kIndex, 0)},
        {0, 1, "1e 2", kNone},
        {0, 2, "1e 7 9", P(1, 7)},
        {0, 2, "2E+ 7 9", P(2, 7)},
        {0, 1, "1 2e", P(1, 2)},
        {0, 1, "1 2E+", P(1, 2)},
        {0, 1, "1 2e-", P(1, 2)},
        {0, 1, "1 2e+x", P(1, 2)},
        // Commas and placeholders.
        {0, 1, "1,2", P(1, 2)},
        {0, 1, "1, 2", P(1, 2)},
        {0, 1, "1 ,2", P(1, 2)},
        {0, 1, "1 , 2", P(1, 2)},
        {0, 1, "1,\t2", P(1, 2)},
        {0, 1, "1,2,", P(1, 2)},
        {0, 1, "1,", kNone},
        {0, 1, ",1,2", kNone},
        {0, 1, "1,,2", kNone},
        {0, 1, "1 ,, 2", kNone},
        {0, 2, "1 ,, 2", P(1, 2)},
        {0, 1, "1,2,3,4,5", P(1, 2)},
        {0, 1, "1,2,,,,", P(1, 2)},
        {0, 1, "1 2 ,,,,#x", P(1, 2)},
        {0, 2, "1.5,2,3.25", P(1.5, 3.25)},
        {0, 2, "1.5 2 3.25 whatever", P(1.5, 3.25)},
        {0, 2, "1.5,,3.25", P(1.5, 3.25)},
        {0, 2, ",2,3", kNone},
        {0, 2, "1 X 3", P(1, 3)},
        {0, 2, "1 2", kNone},
        {2, 0, "10,20,30", P(30, 10)},
        {2, 0, "10 abc 30", P(30, 10)},
        {1, 0, "5 6", P(6, 5)},
        {1, 2, ",7,8", P(7, 8)},
        {0, 1, ",7,8", kNone},
        {1, 2, "1,,3", kNone},
        {0, 2, "1,,3", P(1, 3)},
        {0, 3, "1,,,4", P(1, 4)},
        {3, 4, "1,2,3,4,5", P(4, 5)},
        {3, 4, "1,2,3,4,5,6,7", P(4, 5)},
        {1, 2, ",,5,6", kNone},
        {2, 3, ",,5,6", P(5, 6)},
        {2, 2, ",,5", P(kIndex, 5)},
        {2, 2, "0.000,0.000,1.000", P(kIndex, 1)},
        {1, 1, ",5", P(kIndex, 5)},
        {1, 1, "x,3", P(kIndex, 3)},
        {1, 1, "1", kNone},
        {0, 0, "7", P(kIndex, 7)},
        {0, 0, "5,", P(kIndex, 5)},
        {0, 0, ",5", kNone},
        {0, 0, ",,,", kNone},
        // Gap lines that both ways agree on.
        {0, 1, "NaN", Gap()},
        {0, 0, "NaN", Gap()},
        {0, 1, ",NaN", kNone},
        {0, 1, " NaN", kNone},
        {0, 1, "Na", kNone},
        // A NUL ends the text the scan sees; the line is still a data line.
        {0, 1, "1 2\0"s, P(1, 2)},
        {0, 1, "3 4\0 garbage"s, P(3, 4)},
        {0, 1, "1\0 2"s, kNone},
        {0, 1, "\0 1 2"s, kNone},
        {0, 1, "\0"s, kNone},
        {0, 2, "1 2\0 3"s, kNone},
        {0, 1, "\0#"s, kNone},
        // A line that only holds a carriage return is a data line without a point.
        {0, 1, "\r", kNone},
    };
    return cases;
}

// Reads the cases of one column pair as the lines of one file; every line is a data line.
TEST_P(BothWays, LineGrammarTable) {
    std::vector<std::pair<int, int>> columns;
    for (const LineCase& c : line_cases()) {
        if (std::find(columns.begin(), columns.end(), std::pair{c.xcol, c.ycol}) == columns.end())
            columns.emplace_back(c.xcol, c.ycol);
    }
    for (const auto& [xcol, ycol] : columns) {
        std::string content;
        std::string listing;
        std::vector<Pt> want;
        int index = 0;
        for (const LineCase& c : line_cases()) {
            if (c.xcol != xcol || c.ycol != ycol)
                continue;
            content += c.line + "\n";
            std::string shown = c.line;
            for (char& ch : shown) {
                if (static_cast<unsigned char>(ch) < 0x20)
                    ch = '~';
            }
            listing += "  [" + std::to_string(index) + "] \"" + shown + "\" ->" +
                       (c.point ? describe({*c.point}) : " none") + "\n";
            if (c.point) {
                const bool gap = std::isnan(c.point->x) && std::isnan(c.point->y);
                const bool one_value = xcol == ycol;
                want.push_back({one_value && !gap ? index : c.point->x, c.point->y});
            }
            ++index;
        }
        const LineContainer got = read(
            write("table_" + std::to_string(xcol) + std::to_string(ycol), content), xcol, ycol);
        EXPECT_TRUE(has_points(got, want)) << "xcol " << xcol << ", ycol " << ycol << "\n"
                                           << listing;
        EXPECT_EQ(got.lines_taken, index) << "xcol " << xcol << ", ycol " << ycol;
    }
}

// Lines the two ways of reading treat differently: the whole-file read takes any data line
// starting with "NaN" or "nan" as a gap, the line-stream read only a line that is just "NaN".
TEST_P(BothWays, GapLinesDifferBetweenTheWays) {
    struct Case {
        std::string line;
        Expected whole;
        Expected stream;
    };
    const std::vector<Case> cases = {
        {"nan 5", Gap(), kNone},   {"nan", Gap(), kNone},    {"NaN 5", Gap(), kNone},
        {"NaN,1,2", Gap(), kNone}, {"NaNxyz", Gap(), kNone}, {"nanosecond", Gap(), kNone},
        {"NaN,", Gap(), kNone},    {"NaN\r", Gap(), Gap()},  {"NaN\r\r", Gap(), kNone},
        {"7 8", P(7, 8), P(7, 8)},
    };
    std::string content;
    std::vector<Pt> want;
    for (const Case& c : cases) {
        content += c.line + "\n";
        const Expected& e = GetParam() == Way::WholeFile ? c.whole : c.stream;
        if (e)
            want.push_back(*e);
    }
    const LineContainer got = read(write("gaps", content), 0, 1);
    EXPECT_TRUE(has_points(got, want));
    EXPECT_EQ(got.lines_taken, static_cast<int>(cases.size()));
}

TEST_P(BothWays, FarColumnsAndLongFormats) {
    std::string line;
    for (int i = 0; i <= 400; ++i) {
        if (i > 0)
            line += ',';
        line += std::to_string(i);
    }
    const std::string path = write("wide", line + "\n");
    struct Case {
        int xcol;
        int ycol;
        Expected point;
    };
    for (const Case& c : {Case{0, 300, P(0, 300)}, Case{300, 299, P(300, 299)},
                          Case{400, 0, P(400, 0)}, Case{401, 0, kNone}, Case{0, 32767, kNone},
                          Case{-1, 400, P(0, 400)}, Case{250, 250, P(0, 250)}}) {
        const LineContainer got = read(path, c.xcol, c.ycol);
        EXPECT_TRUE(has_points(got, c.point ? std::vector<Pt>{*c.point} : std::vector<Pt>{}))
            << "xcol " << c.xcol << ", ycol " << c.ycol;
        EXPECT_EQ(got.lines_taken, 1);
    }
}

// Column numbers no dialog allows must not crash the reader; a missing y column gives no point.
TEST_P(BothWays, NonsenseColumnsDoNotCrash) {
    const std::string path = write("n", "1 2 3\nNaN\n,,\n");
    for (const auto& [xcol, ycol] : {std::pair{0, -1}, std::pair{-1, -1}, std::pair{3, -7},
                                     std::pair{-2, 1}, std::pair{-32768, -32768}}) {
        const LineContainer got = read(path, xcol, ycol);
        EXPECT_TRUE(has_points(got, points_of(got)));  // sizes stay consistent
        for (std::size_t i = 0; i < got.y.size(); ++i) {
            if (ycol < 0) {
                EXPECT_TRUE(std::isnan(got.y[i])) << "xcol " << xcol << ", ycol " << ycol;
            }
        }
    }
}

TEST_P(BothWays, GapPointsLeaveRangesAlone) {
    const LineContainer c = read(write("g", "1 2\nNaN\n3 4\n"), 0, 1);
    EXPECT_TRUE(has_points(c, {{1, 2}, {kNaN, kNaN}, {3, 4}}));
    EXPECT_EQ(c.x_range(), std::make_pair(1.0, 3.0));
    EXPECT_EQ(c.y_range(), std::make_pair(2.0, 4.0));
}

}  // namespace
