// One data line to one point: the comma preparation, gap lines and the column scan, checked
// against the plain way of doing it (string inserts and the C library's scanner).
#include "line_parser.h"

#include "plain_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace tarvik {
namespace {

struct Preparation {
    const char* line;
    int comma_limit;
    const char* prepared;
};

class CommaPreparation : public ::testing::TestWithParam<Preparation> {};

TEST_P(CommaPreparation, PlacesPlaceholdersAndBlanks) {
    std::string out;
    LineParser::prepare_commas(GetParam().line, GetParam().comma_limit, out);
    EXPECT_EQ(out, GetParam().prepared);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommaPreparation,
    ::testing::Values(Preparation{"", 3, ""}, Preparation{"1 2", 2, "1 2"},
                      Preparation{",7,8", 3, "X 7 8"}, Preparation{"1,,3", 3, "1 X 3"},
                      Preparation{",,5", 3, "X X 5"}, Preparation{"1,2,3,4,5", 2, "1 2 3,4,5"},
                      Preparation{"1,2,", 3, "1 2 "}, Preparation{"1,,,", 2, "1 X X,"},
                      Preparation{"a,,b,,c", 1, "a X,b,,c"}));

// Random lines of numbers, words, blanks and commas. The words avoid what the C library reads
// differently on purpose (nan, inf, hexadecimal, a dangling exponent).
std::string random_line(std::mt19937& rng) {
    static const char* const pieces[] = {"1",    "-2.5", "+.75", "3e2",  "4.E-1", "0.098", "12",
                                         "word", "abc",  "X",    "7.5q", "--",    "."};
    std::string line;
    const int fields = static_cast<int>(rng() % 7);
    for (int i = 0; i < fields; ++i) {
        switch (rng() % 6) {
            case 0:
                line += ",";
                break;
            case 1:
                line += " ";
                break;
            case 2:
                line += "\t,";
                break;
            default:
                line += pieces[rng() % std::size(pieces)];
                line += (rng() % 2) ? "," : " ";
        }
    }
    if (rng() % 3 == 0 && !line.empty())
        line.pop_back();
    return line;
}

TEST(LineParser, AgreesWithThePlainScanOnRandomLines) {
    std::mt19937 rng(8);
    const int column_pairs[][2] = {{0, 1}, {1, 0}, {0, 2}, {2, 0}, {1, 3}, {2, 2}, {0, 0}, {3, 1}};
    for (const auto& columns : column_pairs) {
        LineParser parser(columns[0], columns[1]);
        for (int i = 0; i < 20000; ++i) {
            const std::string line = random_line(rng);
            double x = -99, y = -99, px = -99, py = -99;
            const bool expected = plain::parse_line(line, columns[0], columns[1], px, py);
            const LineParser::Result got = parser.parse(line, GapRule::LeadingNaN, x, y);
            ASSERT_EQ(got == LineParser::Result::Point, expected)
                << "line \"" << line << "\" columns " << columns[0] << "," << columns[1];
            if (!expected)
                continue;
            ASSERT_EQ(y, py) << line;
            if (columns[0] != columns[1]) {
                ASSERT_EQ(x, px) << line;
            }
        }
    }
}

TEST(LineParser, TellsGapLinesByTheWayOfReading) {
    LineParser parser(0, 1);
    double x = 0, y = 0;
    EXPECT_EQ(parser.parse("NaN", GapRule::LeadingNaN, x, y), LineParser::Result::Gap);
    EXPECT_EQ(parser.parse("nan 5", GapRule::LeadingNaN, x, y), LineParser::Result::Gap);
    EXPECT_EQ(parser.parse("NaN,0,0", GapRule::LeadingNaN, x, y), LineParser::Result::Gap);
    EXPECT_EQ(parser.parse(",NaN", GapRule::LeadingNaN, x, y), LineParser::Result::NoPoint);
    EXPECT_EQ(parser.parse("Na", GapRule::LeadingNaN, x, y), LineParser::Result::NoPoint);
    EXPECT_EQ(parser.parse("NaN", GapRule::ExactlyNaN, x, y), LineParser::Result::Gap);
    EXPECT_EQ(parser.parse("nan 5", GapRule::ExactlyNaN, x, y), LineParser::Result::NoPoint);
    EXPECT_EQ(parser.parse("NaN ", GapRule::ExactlyNaN, x, y), LineParser::Result::NoPoint);
}

TEST(LineParser, OneValueModeLeavesXToTheCaller) {
    LineParser parser(2, 2);
    double x = 41, y = 0;
    ASSERT_EQ(parser.parse("0.000,0.000,1.000", GapRule::LeadingNaN, x, y),
              LineParser::Result::Point);
    EXPECT_EQ(x, 41);
    EXPECT_EQ(y, 1.0);
    EXPECT_FALSE(parser.x_from_column());
}

}  // namespace
}  // namespace tarvik
