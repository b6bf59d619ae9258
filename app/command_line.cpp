#include "command_line.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "app_identity.h"
#include "number_scan.h"

namespace tarvik {
namespace {

constexpr int kLargestPictureSide = 10000;

bool is_option(const std::string& argument) {
    return !argument.empty() && argument[0] == '-';
}

bool is_long_option(const std::string& argument) {
    return argument.size() >= 2 && argument[0] == '-' && argument[1] == '-';
}

std::size_t skip_blanks(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\v' || text[i] == '\f'))
        ++i;
    return i;
}

std::string number_text(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// A whole number from 1 to the largest picture side, all of `text`.
std::optional<int> picture_side(const std::string& text) {
    int value = 0;
    const char* const end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc{} || result.ptr != end || value < 1 || value > kLargestPictureSide)
        return std::nullopt;
    return value;
}

std::optional<BatchOutput> parse_size(const std::string& text, BatchOutput batch) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    const auto width = picture_side(text.substr(0, x));
    const auto height = picture_side(text.substr(x + 1));
    if (!width || !height)
        return std::nullopt;
    batch.width = *width;
    batch.height = *height;
    return batch;
}

// One line on standard error naming what is wrong; the caller decides what happens next.
void complain(CommandLine& result, const std::string& reason) {
    result.error_lines.push_back(std::string("tarvik: ") + reason + " (try --help)");
}

void fail_usage(CommandLine& result, const std::string& reason) {
    complain(result, reason);
    result.exit_status = 2;
}

// Takes the long options out of `arguments` and applies them; returns what is left.
std::vector<std::string> take_long_options(const std::vector<std::string>& arguments,
                                           CommandLine& result) {
    std::vector<std::string> rest;
    std::optional<std::string> size_text;
    BatchOutput batch;
    bool png = false;
    for (std::size_t i = 0; i < arguments.size() && !result.exit_status; ++i) {
        const std::string& argument = arguments[i];
        if (!is_long_option(argument)) {
            rest.push_back(argument);
            continue;
        }
        const auto equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        std::optional<std::string> value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if ((name == "--png" || name == "--size") && i + 1 < arguments.size() &&
                   !is_option(arguments[i + 1])) {
            value = arguments[++i];
        }

        if (name == "--help" && !value) {
            result.output_lines = usage_lines();
            result.exit_status = 0;
        } else if (name == "--version" && !value) {
            result.output_lines = {version_line()};
            result.exit_status = 0;
        } else if (name == "--png") {
            if (!value || value->empty())
                fail_usage(result, "--png needs the name of the PNG file to write");
            png = true;
            batch.png_file = value.value_or("");
        } else if (name == "--size") {
            if (!value)
                fail_usage(result, "--size needs WIDTHxHEIGHT, for example 800x600");
            size_text = value;
        } else {
            fail_usage(result, "unknown option " + argument);
        }
    }
    if (result.exit_status)
        return {};
    if (size_text) {
        if (!png) {
            fail_usage(result, "--size is used only together with --png");
            return rest;
        }
        const auto sized = parse_size(*size_text, batch);
        if (!sized) {
            fail_usage(result, "--size needs WIDTHxHEIGHT with whole numbers from 1 to " +
                                   std::to_string(kLargestPictureSide) + ", not \"" + *size_text +
                                   "\"");
            return rest;
        }
        batch = *sized;
    }
    if (png)
        result.batch = batch;
    return rest;
}

// The one-letter options. Each is known by its second character only.
void walk_options(const std::vector<std::string>& arguments, CommandLine& result) {
    if (arguments.empty())
        return;
    if (!is_option(arguments.front())) {
        complain(result, arguments.front() +
                             " is not an option; give a data file with -p, a saved plot with -x");
        result.exit_status = 1;
        return;
    }
    const std::size_t count = arguments.size();
    std::size_t i = 0;
    while (i < count && !result.stopped) {
        const std::string& argument = arguments[i];
        if (!is_option(argument)) {  // only an option's own arguments come here; skip it
            ++i;
            continue;
        }
        const char letter = argument.size() > 1 ? argument[1] : '\0';
        if (letter == 'x' || letter == 'X') {
            if (i + 1 >= count || is_option(arguments[i + 1])) {
                complain(result, argument + " needs the name of a configuration file");
                result.exit_status = 1;
                return;
            }
            for (++i; i < count && !is_option(arguments[i]); ++i)
                result.configuration_files.push_back(arguments[i]);
        } else if (letter == 'n') {
            result.new_plot = true;
            ++i;
            if (i < count && !is_option(arguments[i])) {
                complain(result, argument + " takes no file name; " + arguments[i] +
                                     " and what follows it are ignored");
                result.stopped = true;
            }
        } else if (letter == 'p') {
            if (count - i - 1 < 7) {
                complain(result, argument +
                                     " needs seven values, FILE XCOL YCOL XMIN XMAX YMIN YMAX; "
                                     "only " +
                                     std::to_string(count - i - 1) + " arguments follow it");
                result.stopped = true;
                break;
            }
            PlotRequest request;
            request.file = arguments[i + 1];
            request.xcol = read_column_number(arguments[i + 2]);
            request.ycol = read_column_number(arguments[i + 3]);
            request.x_min = read_range_number(arguments[i + 4]);
            request.x_max = read_range_number(arguments[i + 5]);
            request.y_min = read_range_number(arguments[i + 6]);
            request.y_max = read_range_number(arguments[i + 7]);
            result.plot_requests.push_back(request);
            result.output_lines.push_back(plot_info_line(request));
            i += 8;
            if (i < count && !is_option(arguments[i])) {
                complain(result, argument + " takes seven values; " + arguments[i] +
                                     " and what follows it are ignored");
                result.stopped = true;
            }
        } else {
            result.output_lines.push_back("illegal option: " + argument);
            result.stopped = true;
        }
    }
}

}  // namespace

CommandLine parse_command_line(const std::vector<std::string>& arguments) {
    CommandLine result;
    const std::vector<std::string> rest = take_long_options(arguments, result);
    if (result.exit_status)
        return result;
    walk_options(rest, result);
    if (result.exit_status)
        return result;
    if (result.batch && result.new_plot) {
        fail_usage(result, "-n asks for the new-plot dialog and cannot be used with --png");
        return result;
    }
    result.welcome = rest.empty() && !result.batch;
    return result;
}

CommandLine parse_command_line(int argc, const char* const* argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return parse_command_line(arguments);
}

std::vector<std::string> usage_lines() {
    return {
        "Usage: tarvik [OPTION]...",
        "Plots, as they grow, the numbers other programs append to text files.",
        "",
        "  -x FILE...      open each configuration FILE as a plot (also -X)",
        "  -n              start with a new plot (shows the new-plot dialog)",
        "  -p FILE XCOL YCOL XMIN XMAX YMIN YMAX",
        "                  plot column YCOL against column XCOL of the data FILE",
        "                  with x from XMIN to XMAX and y from YMIN to YMAX",
        "                  (columns count from 0; -p may be given several times)",
        "  --png FILE      open the plots without any window, write the first one",
        "                  to FILE as a PNG picture and exit",
        "  --size WxH      picture size for --png in pixels (default 800x600)",
        "  --help          show this text and exit",
        "  --version       show the version and exit",
        "",
        "Without options a welcome dialog offers a new plot. Options beginning with \"--\"",
        "may stand anywhere; the others must come first and in the order to be read.",
        "A first argument that is not an option ends the program with status 1, a bad",
        "\"--\" option with status 2; either gives a one-line reason on standard error.",
    };
}

int read_column_number(const std::string& text) {
    std::size_t i = skip_blanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // Accumulated as a negative number so the smallest 32-bit value fits; held at the limits.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value > -kLimit)
            value = value * 10 - (text[i] - '0');
    }
    if (value < -kLimit)
        value = -kLimit;
    if (!negative)
        value = value == -kLimit ? kLimit - 1 : -value;
    return static_cast<int>(value);
}

double read_range_number(const std::string& text) {
    const std::size_t start = skip_blanks(text);
    double value = 0.0;
    if (convert_number_prefix(text.data() + start, text.data() + text.size(), value) == 0)
        return 0.0;
    if (std::isinf(value))
        return std::copysign(std::numeric_limits<double>::max(), value);
    return value;
}

std::string plot_info_line(const PlotRequest& request) {
    return "Plot info: " + request.file + ", x-col " + std::to_string(request.xcol) + ", y-col " +
           std::to_string(request.ycol) + ", x-min " + number_text(request.x_min) + ", x-max " +
           number_text(request.x_max) + ", y-min " + number_text(request.y_min) + ", y-max " +
           number_text(request.y_max);
}

}  // namespace tarvik
