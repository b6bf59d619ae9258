// Tick label text: fixed, scientific and general notation exactly as a C++ stream writes them,
// padded on the left to the wider range end.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <ios>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "axis_scale.h"
#include "tick_label_formatter.h"

namespace tarvik {
namespace {

// A fresh stream per value: what the formatter must match.
std::string reference(double v, int precision, int notation, int width) {
    std::ostringstream s;
    if (notation == 0)
        s << std::fixed;
    if (notation == 1)
        s << std::scientific;
    s.precision(precision);
    s.width(width);
    s << v;
    return s.str();
}

TEST(TickLabelTest, FixedLabelsOfTheUnitRangeStandAtFiveTicks) {
    const TickLabelFormatter f(0.0, 1.0, 2, 0);
    const AxisScale axis = make_axis_scale(0.0, 1.0, 0, 100, 5, 0, 5);
    std::vector<std::string> labels;
    for (int i = 0; i < axis.tick_count(); ++i)
        labels.push_back(f.format(axis.tick_value(i)));
    EXPECT_EQ(labels, (std::vector<std::string>{"0.00", "0.25", "0.50", "0.75", "1.00"}));
    EXPECT_EQ(f.width(), 4);
}

TEST(TickLabelTest, TheWiderRangeEndSetsTheWidthAndTheNarrowerIsPadded) {
    const TickLabelFormatter neg(-10.0, 5.0, 2, 0);
    EXPECT_EQ(neg.width(), 6);
    EXPECT_EQ(neg.format(-10.0), "-10.00");
    EXPECT_EQ(neg.format(5.0), "  5.00");
    EXPECT_EQ(neg.format(-2.5), " -2.50");

    // The maximum may be the wider end too, and a label wider than the range ends is not cut.
    const TickLabelFormatter pos(0.0, 1500.0, 1, 0);
    EXPECT_EQ(pos.width(), 6);
    EXPECT_EQ(pos.format(0.0), "   0.0");
    EXPECT_EQ(pos.format(123456.0), "123456.0");
}

TEST(TickLabelTest, EachNotationWritesWhatTheStreamWrites) {
    struct Case {
        double min, max;
        int precision, notation;
        double value;
        std::string label;
    };
    const Case cases[] = {
        {0.0, 1.0, 2, 1, 0.25, "2.50e-01"},
        {-1.0, 1.0, 3, 1, -0.0, "-0.000e+00"},
        {0.0, 1.0, 2, 2, 0.5, "0.5"},            // general: no trailing zeros, width 1
        {0.0, 1000.0, 2, 2, 1234.5, "1.2e+03"},  // general switches to an exponent
        {0.0, 1.0, 2, -1, 0.125, "0.12"},        // any other notation value is general too
        {0.0, 3.0, 0, 0, 2.5, "2"},              // precision 0, halves to even
        {-1.0, 0.0, 2, 0, -0.0, "-0.00"},        // negative zero keeps its sign
        {0.0, 1.0, 2, 0, 1e-9, "0.00"},
    };
    for (const Case& c : cases) {
        const TickLabelFormatter f(c.min, c.max, c.precision, c.notation);
        EXPECT_EQ(f.format(c.value), c.label) << c.value << " notation " << c.notation;
    }
}

// A precision from a file or a message may be anything: the stream would set aside room for
// every digit (ten million of them overflow the stack). Above the largest the dialogs offer
// the labels write as that one; below 0 as the stream does.
TEST(TickLabelTest, PrecisionsOutsideTheOfferedOnesWriteAsTheStreamsSixDigits) {
    struct Case {
        int precision, notation;
        std::string label;
        int width;
    };
    const Case cases[] = {
        {7, 0, "0.500000", 8},
        {10000000, 0, "0.500000", 8},
        {2147483647, 1, "5.000000e-01", 12},
        {2147483647, 2, "0.5", 1},
        {-1, 0, "0.500000", 8},
        {-2147483647 - 1, 1, "5.000000e-01", 12},
    };
    for (const Case& c : cases) {
        const TickLabelFormatter f(0.0, 1.0, c.precision, c.notation);
        EXPECT_EQ(f.format(0.5), c.label) << c.precision << " notation " << c.notation;
        EXPECT_EQ(f.width(), c.width) << c.precision << " notation " << c.notation;
    }
}

// Every label of a formatter, made one after the other on the one stream, against a fresh
// stream per label: widths from both ends, no leftovers of a longer label in a shorter one.
TEST(TickLabelTest, LabelsMatchAFreshStreamAcrossNotationsPrecisionsAndMagnitudes) {
    const double values[] = {0.0,
                             -0.0,
                             1.0,
                             -1.0,
                             0.5,
                             2.5,
                             -123456.789,
                             1e-7,
                             -4.5e-12,
                             1e20,
                             -3.5e300,
                             DBL_MAX,
                             DBL_MIN,
                             5e-324,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::nan("")};
    const std::pair<double, double> ranges[] = {
        {0.0, 1.0}, {-10.0, 5.0}, {-1e12, 1e-3}, {1e300, -1e300}, {0.0, 0.0}};
    const int precisions[] = {0, 1, 2, 6, 17};  // 17 writes as 6, the largest offered
    const int notations[] = {0, 1, 2, -7};
    for (const auto& [min, max] : ranges) {
        for (int precision : precisions) {
            for (int notation : notations) {
                const TickLabelFormatter f(min, max, precision, notation);
                const int drawn = std::min(precision, 6);
                const int width =
                    static_cast<int>(std::max(reference(min, drawn, notation, 0).size(),
                                              reference(max, drawn, notation, 0).size()));
                ASSERT_EQ(f.width(), width)
                    << min << " " << max << " p" << precision << " n" << notation;
                for (double v : values) {
                    ASSERT_EQ(f.format(v), reference(v, drawn, notation, width))
                        << v << " p" << precision << " n" << notation;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tarvik
