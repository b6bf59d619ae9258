// The number grammar of data fields and the two scan directives.
#include "number_scan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace tarvik {
namespace {

struct Conversion {
    const char* text;
    int length;  // 0: no number
    double value;
};

class NumberPrefix : public ::testing::TestWithParam<Conversion> {};

TEST_P(NumberPrefix, ConvertsTheLongestPrefix) {
    const Conversion& c = GetParam();
    const std::string text = c.text;
    double value = -12345.0;
    const int length = convert_number_prefix(text.data(), text.data() + text.size(), value);
    EXPECT_EQ(length, c.length) << text;
    if (c.length != 0) {
        EXPECT_EQ(value, c.value) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, NumberPrefix,
    ::testing::Values(
        Conversion{"0.098", 5, 0.098}, Conversion{"-0.383", 6, -0.383}, Conversion{"+.5", 3, 0.5},
        Conversion{"1.", 2, 1.0}, Conversion{"00012", 5, 12.0}, Conversion{"1.5e3", 5, 1500.0},
        Conversion{"1.5E-3", 6, 0.0015}, Conversion{"1e5x", 3, 1e5},
        // A dangling exponent is not part of the number: "e" stays behind as
        // text glued to it.
        Conversion{"1e", 1, 1.0}, Conversion{"2E+", 1, 2.0}, Conversion{"3e-x", 1, 3.0},
        // Text glued to a number ends it.
        Conversion{"1.5abc", 3, 1.5}, Conversion{"1.5.3", 3, 1.5}, Conversion{"7,8", 1, 7.0},
        // Hexadecimal is not in the grammar: "0x10" is the number 0 and "x10".
        Conversion{"0x10", 1, 0.0}, Conversion{"0X1p3", 1, 0.0},
        // Words the C library would take are not numbers.
        Conversion{"nan", 0, 0}, Conversion{"NaN", 0, 0}, Conversion{"inf", 0, 0},
        Conversion{"-infinity", 0, 0}, Conversion{".", 0, 0}, Conversion{"-", 0, 0},
        Conversion{"+-1", 0, 0}, Conversion{".e1", 0, 0}, Conversion{"", 0, 0},
        Conversion{"X", 0, 0},
        // Out of range: as the C library converts.
        Conversion{"1e400", 5, HUGE_VAL}, Conversion{"-1e400", 6, -HUGE_VAL},
        Conversion{"1e-400", 6, 0.0},
        Conversion{"123456789012345678901234567890", 30, 1.2345678901234568e29},
        Conversion{"0.30000000000000000000000000001", 31, 0.3}));

TEST(NumberPrefix, KeepsTheSignOfZero) {
    const std::string text = "-0.000";
    double value = 1.0;
    ASSERT_EQ(convert_number_prefix(text.data(), text.data() + text.size(), value), 6);
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(std::signbit(value));
}

// Every conversion must round exactly as the C library's strtod does, whichever path it takes.
TEST(NumberPrefix, RoundsLikeStrtodOnRandomDecimals) {
    std::mt19937_64 rng(20261208);
    auto digits = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s.push_back(static_cast<char>('0' + rng() % 10));
        return s;
    };
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        if (rng() % 3 == 0)
            text += (rng() % 2) ? "-" : "+";
        const int integer_digits = static_cast<int>(rng() % 12);
        const int fraction_digits = static_cast<int>(rng() % (i % 7 == 0 ? 30 : 12));
        text += digits(integer_digits);
        if (fraction_digits > 0 || integer_digits == 0)
            text += "." + digits(fraction_digits + 1);
        if (rng() % 4 == 0) {
            text += (rng() % 2) ? "e" : "E";
            if (rng() % 2)
                text += (rng() % 2) ? "-" : "+";
            text += std::to_string(rng() % 330);
        }
        double value = 0.0;
        const int length = convert_number_prefix(text.data(), text.data() + text.size(), value);
        ASSERT_EQ(length, static_cast<int>(text.size())) << text;
        const double expected = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(std::memcmp(&value, &expected, sizeof value), 0)
            << text << ": " << value << " vs " << expected;
    }
}

TEST(ScanDirectives, SkipWhiteSpaceThenTakeTheirText) {
    const std::string text = " \t 1.5abc   next";
    const char* p = text.data();
    const char* const end = p + text.size();
    CommaBudget commas;
    double value = 0.0;
    ASSERT_TRUE(scan_number(p, end, value, commas));
    EXPECT_EQ(value, 1.5);
    EXPECT_FALSE(scan_number(p, end, value, commas)) << "\"abc\" is no number";
    ASSERT_TRUE(skip_field(p, end, commas));
    ASSERT_TRUE(skip_field(p, end, commas));
    EXPECT_EQ(p, end);
    EXPECT_FALSE(skip_field(p, end, commas)) << "nothing left to skip";
}

TEST(ScanDirectives, CountCommasAsBlanksWhileTheBudgetLasts) {
    const std::string text = "1,2,3";
    const char* p = text.data();
    const char* const end = p + text.size();
    CommaBudget commas{1, 0, false};
    double value = 0.0;
    ASSERT_TRUE(scan_number(p, end, value, commas));
    ASSERT_TRUE(scan_number(p, end, value, commas));
    EXPECT_EQ(value, 2.0);
    EXPECT_FALSE(scan_number(p, end, value, commas)) << "the second comma is no blank";
    EXPECT_FALSE(commas.adjacent);
}

TEST(ScanDirectives, StopAtANulByteAsAtTheEndOfAString) {
    const std::string text("7\0 8", 4);
    const char* p = text.data();
    const char* const end = p + text.size();
    CommaBudget commas;
    double value = 0.0;
    ASSERT_TRUE(scan_number(p, end, value, commas));
    EXPECT_FALSE(skip_field(p, end, commas));
    EXPECT_FALSE(scan_number(p, end, value, commas));
}

}  // namespace
}  // namespace tarvik
