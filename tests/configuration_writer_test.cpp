// The configuration writer's exact lines, and plots that survive a save and a load.
#include "configuration_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>

#include "enumerations.h"
#include "temp_dir.h"
#include "xml_parse.h"

namespace tarvik {
namespace {

CurveValues red_curve() {
    CurveValues c;
    c.file = "data.txt";
    c.title = "sine";
    c.red = 255;
    return c;
}

TEST(ConfigurationWriter, WritesTheFileLineByLine) {
    ConfigurationValues v;
    v.curves = {red_curve()};
    EXPECT_EQ(configuration_text(v),
              "<plot>\n <version>0.68.0.0</version>\n <plot_attributes>\n"
              "  <auto_x_range>1</auto_x_range>\n  <xmin>0.000000000000000</xmin>\n"
              "  <xmax>1.000000000000000</xmax>\n  <auto_y_range>1</auto_y_range>\n"
              "  <ymin>0.000000000000000</ymin>\n  <ymax>1.000000000000000</ymax>\n"
              "  <xticks>5</xticks>\n  <yticks>5</yticks>\n  <grid>0</grid>\n"
              "  <timer_interval>1000</timer_interval>\n"
              "  <max_timer_tries>4294967295</max_timer_tries>\n"
              "  <number_of_curves>1</number_of_curves>\n  <xprec>2</xprec>\n"
              "  <yprec>2</yprec>\n  <xformat>FIXED</xformat>\n  <yformat>FIXED</yformat>\n"
              "  <maximized>0</maximized>\n  <auto_x_scroll>0</auto_x_scroll>\n"
              "  <legend>0</legend>\n  <title></title>\n  <xlabel></xlabel>\n"
              "  <ylabel></ylabel>\n  <font_name>lucida console</font_name>\n"
              "  <font_size>100</font_size>\n </plot_attributes>\n"
              " <file_attributes id=\"0\">\n  <file>data.txt</file>\n  <xcol>0</xcol>\n"
              "  <ycol>1</ycol>\n  <line_title>sine</line_title>\n"
              "  <line_color>255,0,0</line_color>\n  <line_style>SOLID</line_style>\n"
              "  <line_size>1</line_size>\n  <point_size>1</point_size>\n"
              "  <add_only>0</add_only>\n  <time_unit>MINUTES</time_unit>\n"
              " </file_attributes>\n</plot>\n");
}

TEST(ConfigurationWriter, WritesTwelveLinesPerCurve) {
    for (const std::size_t n : {0u, 2u, 20u}) {
        ConfigurationValues v;
        v.curves.assign(n, red_curve());
        v.x_format = 7;  // unknown: nothing between the tags
        if (n == 2)
            v.curves.back().blue = 255;
        const std::string text = configuration_text(v);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 29 + 12 * n);
        EXPECT_NE(text.find("<number_of_curves>" + std::to_string(n) + "<"), std::string::npos);
        EXPECT_NE(text.find("  <xformat></xformat>\n"), std::string::npos);
        if (n == 2) {
            EXPECT_NE(text.find(" <file_attributes id=\"1\">\n"), std::string::npos);
            EXPECT_NE(text.find("<line_color>255,0,255</line_color>"), std::string::npos);
        }
    }
}

TEST(ConfigurationWriter, BothEndsOfARangeTakeOneForm) {
    struct Case {
        double low, high;
        const char* low_text;
        const char* high_text;
    };
    for (const Case& c : std::initializer_list<Case>{
             {-5, 5, "-5.000000000000000", "5.000000000000000"},
             {-2.5, 1e6, "-2.500000000000000", "1000000.000000000000000"},
             {0, 2e6, "0.000000000000000e+000", "2.000000000000000e+006"},
             {1.5e7, -1e-7, "1.500000000000000e+007", "-1.000000000000000e-007"},
             {-1e-300, 1.7976931348623157e308, "-1.000000000000000e-300",
              "1.797693134862316e+308"}}) {
        const bool scientific = range_is_scientific(c.low, c.high);
        EXPECT_EQ(format_real(c.low, scientific), c.low_text);
        EXPECT_EQ(format_real(c.high, scientific), c.high_text);
    }
}

// What the reader gives back, as the writer's input again.
ConfigurationValues values_read(const PlotConfiguration& r) {
    ConfigurationValues v{r.auto_x_range.value(),
                          r.x_minimum.value(),
                          r.x_maximum.value(),
                          r.auto_y_range.value(),
                          r.y_minimum.value(),
                          r.y_maximum.value(),
                          r.x_ticks.value(),
                          r.y_ticks.value(),
                          r.grid.value(),
                          r.timer_interval.value(),
                          r.max_timer_tries.value(),
                          r.x_precision.value(),
                          r.y_precision.value(),
                          number_format_from_text(r.x_format),
                          number_format_from_text(r.y_format),
                          r.maximized.value(),
                          r.auto_x_scroll.value(),
                          r.legend.value(),
                          r.title,
                          r.x_label,
                          r.y_label,
                          r.font_name,
                          r.font_size.value(),
                          {}};
    for (const FileConfiguration& f : r.files) {
        v.curves.push_back({f.file, f.x_column.value(), f.y_column.value(), f.line_title,
                            f.red.value(), f.green.value(), f.blue.value(),
                            line_style_from_text(f.line_style), f.line_size.value(),
                            f.point_size.value(), f.add_only.value(),
                            time_unit_from_text(f.time_unit)});
    }
    return v;
}

// Values a user types (at most 15 decimals in the fixed form, 16 digits in the scientific
// one) come back exactly whichever form their range takes.
constexpr double kTyped[] = {0.0, 0.1, -2.5, 1e-7, 1.5e7, 123456.789, -1e300};

class RandomPlot {
  public:
    explicit RandomPlot(unsigned seed) : rng_(seed) {}

    ConfigurationValues make() {
        ConfigurationValues v{flag(),
                              real(),
                              real(),
                              flag(),
                              real(),
                              real(),
                              int32(),
                              int32(),
                              flag(),
                              int32() & 0x7fffffff,
                              static_cast<std::uint32_t>(int32()),
                              int32(),
                              int32(),
                              below(2),
                              below(2),
                              flag(),
                              flag(),
                              flag(),
                              text(0),
                              text(0),
                              text(0),
                              text(1),
                              int32(),
                              {}};
        for (int i = below(21); i > 0; --i) {
            v.curves.push_back({text(1), int32(), int32(), text(0), below(256), below(256),
                                below(256), below(6), int32(), int32(), flag(), below(3)});
        }
        return v;
    }

  private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool flag() { return below(2) == 1; }
    std::int32_t int32() { return static_cast<std::int32_t>(rng_()); }
    // Any finite double: tiny, huge, denormal, or a plain one a user might type.
    double real() {
        if (below(3) == 0)
            return kTyped[below(7)];
        double d;
        do {
            const std::uint64_t bits = (std::uint64_t{rng_()} << 32) | rng_();
            std::memcpy(&d, &bits, sizeof d);
        } while (!std::isfinite(d));
        return d;
    }
    // Texts of pieces that are hard to carry: blanks, tabs, non-ASCII, markup characters.
    std::string text(int min_pieces) {
        static const char* pieces[] = {" ",  "\t", "é",    "Ω", "<",   ">", "&",       "=\"",
                                       "\"", "'",  "&lt;", "a", "x y", "/", "</plot>", "#"};
        std::string t;
        for (int n = min_pieces + below(6); n > 0; --n)
            t += pieces[below(16)];
        return t;
    }
    std::mt19937 rng_;
};

PlotConfiguration read_text(const std::string& text) {
    std::istringstream in(text);
    PlotConfiguration c;
    xml_parse::read(in, c);
    return c;
}

// A double keeps the 15 decimals of the fixed form or the 16 digits of the scientific one,
// so a value comes back as the number its written text names: saving that again writes the
// same file. Everything else comes back exactly.
TEST(ConfigurationRoundTrip, RandomPlotsSurviveSaveAndLoad) {
    testing::TempDir dir;
    RandomPlot random(20240611);
    for (int round = 0; round < 300; ++round) {
        const ConfigurationValues original = random.make();
        PlotConfiguration read;
        if (round % 10 == 0) {  // through a file now and then: saving flushes to the disk
            const std::string path = dir.file("plot.xml");
            std::string error;
            ASSERT_TRUE(save_configuration(path, original, error)) << error;
            xml_parse::read(path, read);
        } else {
            read = read_text(configuration_text(original));
        }
        const ConfigurationValues back = values_read(read);
        const std::string text = configuration_text(original);
        ASSERT_EQ(configuration_text(back), text) << "round " << round;

        ConfigurationValues expected = original;
        const auto as_written = [](double& low, double& high) {
            const bool scientific = range_is_scientific(low, high);
            low = std::strtod(format_real(low, scientific).c_str(), nullptr);
            high = std::strtod(format_real(high, scientific).c_str(), nullptr);
        };
        as_written(expected.x_minimum, expected.x_maximum);
        as_written(expected.y_minimum, expected.y_maximum);
        EXPECT_EQ(configuration_text(expected), text);
        EXPECT_EQ(back.x_minimum, expected.x_minimum);
        EXPECT_EQ(back.y_maximum, expected.y_maximum);
        for (const auto& [was, is] : {std::pair{original.x_minimum, back.x_minimum},
                                      {original.x_maximum, back.x_maximum},
                                      {original.y_minimum, back.y_minimum},
                                      {original.y_maximum, back.y_maximum}}) {
            if (std::find(std::begin(kTyped), std::end(kTyped), was) != std::end(kTyped)) {
                EXPECT_EQ(is, was);
            }
        }
    }
}

}  // namespace
}  // namespace tarvik
