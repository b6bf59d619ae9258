// The command line: one table over the one-letter and the long options, and the lenient
// reading of -p's numbers.
#include "command_line.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tarvik {

bool operator==(const PlotRequest& a, const PlotRequest& b) {
    return a.file == b.file && a.xcol == b.xcol && a.ycol == b.ycol && a.x_min == b.x_min &&
           a.x_max == b.x_max && a.y_min == b.y_min && a.y_max == b.y_max;
}

namespace {

using Args = std::vector<std::string>;

struct Case {
    const char* name;
    Args args;
    Args configs = {};
    bool new_plot = false;
    std::vector<PlotRequest> requests = {};
    Args output = {};
    bool stopped = false;
    std::optional<int> exit = {};
    std::size_t error_lines = 0;
    std::optional<std::string> png = {};
    int width = 800;
    int height = 600;
    bool welcome = false;
};

const PlotRequest kData{"data.txt", 0, 1, 0.0, 10.0, -5.0, 5.0};
const PlotRequest kLog{"log.txt", 2, 3, 1.5, 2.5, 100.0, 200.0};
const Args kDataArgs = {"-p", "data.txt", "0", "1", "0", "10", "-5", "5"};
const Args kLogArgs = {"-p", "log.txt", "2", "3", "1.5", "2.5", "1e2", "200"};
const std::string kDataInfo =
    "Plot info: data.txt, x-col 0, y-col 1, x-min 0, x-max 10, "
    "y-min -5, y-max 5";
const std::string kLogInfo =
    "Plot info: log.txt, x-col 2, y-col 3, x-min 1.5, x-max 2.5, "
    "y-min 100, y-max 200";

Args join(std::initializer_list<Args> parts) {
    Args all;
    for (const Args& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

const Case kCases[] = {
    {.name = "no arguments", .args = {}, .welcome = true},
    {.name = "-X as -x", .args = {"-X", "a.xml", "b.xml"}, .configs = {"a.xml", "b.xml"}},
    {.name = "second character only", .args = {"-xyz", "a.xml"}, .configs = {"a.xml"}},
    {.name = "-x files then -n",
     .args = {"-x", "a.xml", "b.xml", "-n"},
     .configs = {"a.xml", "b.xml"},
     .new_plot = true},
    {.name = "-N illegal", .args = {"-N", "-n"}, .output = {"illegal option: -N"}, .stopped = true},
    {.name = "-P illegal",
     .args = join({{"-P"}, Args(kDataArgs.begin() + 1, kDataArgs.end())}),
     .output = {"illegal option: -P"},
     .stopped = true},
    {.name = "- alone illegal", .args = {"-"}, .output = {"illegal option: -"}, .stopped = true},
    {.name = "illegal option stops before -x",
     .args = {"-q", "-x", "a.xml"},
     .output = {"illegal option: -q"},
     .stopped = true},
    {.name = "-p with seven values", .args = kDataArgs, .requests = {kData}, .output = {kDataInfo}},
    {.name = "-p with six values",
     .args = Args(kDataArgs.begin(), kDataArgs.end() - 1),
     .stopped = true,
     .error_lines = 1},
    {.name = "-p with eight values keeps the request",
     .args = join({kDataArgs, {"9", "-n"}}),
     .requests = {kData},
     .output = {kDataInfo},
     .stopped = true,
     .error_lines = 1},
    {.name = "several -p in order",
     .args = join({{"-x", "a.xml"}, kDataArgs, kLogArgs}),
     .configs = {"a.xml"},
     .requests = {kData, kLog},
     .output = {kDataInfo, kLogInfo}},
    {.name = "-n with a file stops",
     .args = {"-n", "x.txt", "-x", "a.xml"},
     .new_plot = true,
     .stopped = true,
     .error_lines = 1},
    {.name = "first argument without -", .args = {"plot.xml", "-n"}, .exit = 1, .error_lines = 1},
    {.name = "-x without a file",
     .args = {"-n", "-x"},
     .new_plot = true,
     .exit = 1,
     .error_lines = 1},
    {.name = "-x followed by an option", .args = {"-x", "-n"}, .exit = 1, .error_lines = 1},
    {.name = "lines before the end are kept",
     .args = join({kDataArgs, {"-x"}}),
     .requests = {kData},
     .output = {kDataInfo},
     .exit = 1,
     .error_lines = 1},

    {.name = "--version", .args = {"--version", "-q"}, .output = {"Tarvik 0.68.0.0"}, .exit = 0},
    {.name = "--help before a bad option",
     .args = {"--help", "--bogus"},
     .output = usage_lines(),
     .exit = 0},
    {.name = "unknown long option", .args = {"--bogus", "--help"}, .exit = 2, .error_lines = 1},
    {.name = "-- alone is unknown", .args = {"--"}, .exit = 2, .error_lines = 1},
    {.name = "--png anywhere",
     .args = {"-x", "a.xml", "--png", "out.png", "b.xml"},
     .configs = {"a.xml", "b.xml"},
     .png = "out.png"},
    {.name = "--png alone", .args = {"--png", "out.png"}, .png = "out.png"},
    {.name = "--png and --size",
     .args = join({{"--size", "640x480"}, kDataArgs, {"--png", "out.png"}}),
     .requests = {kData},
     .output = {kDataInfo},
     .png = "out.png",
     .width = 640,
     .height = 480},
    {.name = "--png= and --size=",
     .args = {"--png=o.png", "--size=1X2", "-x", "a.xml"},
     .configs = {"a.xml"},
     .png = "o.png",
     .width = 1,
     .height = 2},
    {.name = "--png without file", .args = {"--png", "-x", "a.xml"}, .exit = 2, .error_lines = 1},
    {.name = "--size malformed",
     .args = {"--png", "o.png", "--size", "800x"},
     .exit = 2,
     .error_lines = 1},
    {.name = "--size zero",
     .args = {"--png", "o.png", "--size", "0x10"},
     .exit = 2,
     .error_lines = 1},
    {.name = "--size without --png", .args = {"--size", "10x10"}, .exit = 2, .error_lines = 1},
    {.name = "long options taken out, then a file",
     .args = {"--png", "o.png", "plot.xml"},
     .exit = 1,
     .error_lines = 1,
     .png = "o.png"},
};

TEST(CommandLine, Table) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const CommandLine r = parse_command_line(c.args);
        EXPECT_EQ(r.configuration_files, c.configs);
        EXPECT_EQ(r.new_plot, c.new_plot);
        EXPECT_EQ(r.plot_requests, c.requests);
        EXPECT_EQ(r.output_lines, c.output);
        EXPECT_EQ(r.stopped, c.stopped);
        EXPECT_EQ(r.exit_status, c.exit);
        EXPECT_EQ(r.error_lines.size(), c.error_lines);
        EXPECT_EQ(r.welcome, c.welcome);
        ASSERT_EQ(r.batch.has_value(), c.png.has_value());
        if (c.png) {
            EXPECT_EQ(r.batch->png_file, *c.png);
            EXPECT_EQ(r.batch->width, c.width);
            EXPECT_EQ(r.batch->height, c.height);
        }
    }
}

// A start that is refused, or an option that cannot be used, says so in one line that points
// at --help; what is printed on standard output and the exit status are the table's.
TEST(CommandLine, RefusalsSayWhyOnStandardError) {
    const std::pair<Args, std::string> cases[] = {
        {{"data.csv"},
         "tarvik: data.csv is not an option; give a data file with -p, a saved plot with -x "
         "(try --help)"},
        {{"-n", "-x"}, "tarvik: -x needs the name of a configuration file (try --help)"},
        {{"-X", "-n"}, "tarvik: -X needs the name of a configuration file (try --help)"},
        {{"-p", "data.csv", "0", "1", "-n"},
         "tarvik: -p needs seven values, FILE XCOL YCOL XMIN XMAX YMIN YMAX; only 4 arguments "
         "follow it (try --help)"},
        {{"-n", "data.csv", "-x", "a.xml"},
         "tarvik: -n takes no file name; data.csv and what follows it are ignored (try --help)"},
        {{"-p", "d.txt", "0", "1", "0", "9", "0", "9", "extra"},
         "tarvik: -p takes seven values; extra and what follows it are ignored (try --help)"},
    };
    for (const auto& [args, line] : cases)
        EXPECT_EQ(parse_command_line(args).error_lines, Args{line}) << args.front();
}

TEST(CommandLine, NewPlotRefusedInBatchMode) {
    const CommandLine r = parse_command_line(Args{"-n", "--png", "o.png"});
    EXPECT_EQ(r.exit_status, 2);
    ASSERT_EQ(r.error_lines.size(), 1u);
    EXPECT_NE(r.error_lines[0].find("-n"), std::string::npos);
}

TEST(CommandLine, ArgvSkipsTheProgramName) {
    const char* const argv[] = {"tarvik", "-x", "a.xml"};
    EXPECT_EQ(parse_command_line(3, argv).configuration_files, Args{"a.xml"});
}

TEST(CommandLine, ColumnNumbers) {
    const std::pair<const char*, int> cases[] = {
        {"12abc", 12},
        {"abc", 0},
        {" -3", -3},
        {"+4x", 4},
        {"1e3", 1},
        {"", 0},
        {"-", 0},
        {"99999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(read_column_number(text), value) << text;
}

TEST(CommandLine, RangeNumbers) {
    const double largest = std::numeric_limits<double>::max();
    const std::pair<const char*, double> cases[] = {
        {"1e3", 1000.0}, {"abc", 0.0}, {"-2.5x", -2.5}, {".5", 0.5},        {"1e", 1.0},
        {"  7", 7.0},    {"nan", 0.0}, {"0x10", 0.0},   {"1e999", largest}, {"-1e999", -largest},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(read_range_number(text), value) << text;
}

}  // namespace
}  // namespace tarvik
