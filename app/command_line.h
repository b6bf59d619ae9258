// The command line, read without any window: arguments in, what start-up should open and
// write out. Nothing here prints or exits; start-up writes the lines and ends the process
// when the result says so.
//
// Arguments that begin with "--" are long options. They may stand anywhere and are taken out
// before the one-letter options are read, so "-p data.txt 0 1 0 10 -5 5 --png out.png" and
// "--png out.png -p data.txt ..." mean the same. The one-letter rules then apply to what is
// left, including "the first argument must begin with -".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "startup_request.h"

namespace tarvik {

// --png FILE [--size WIDTHxHEIGHT]: render the first plot into FILE without any window.
struct BatchOutput {
    std::string png_file;
    int width = 800;
    int height = 600;
};

struct CommandLine {
    std::vector<std::string> configuration_files;  // -x, in command-line order
    bool new_plot = false;                         // -n
    std::vector<PlotRequest> plot_requests;        // -p, in command-line order
    std::optional<BatchOutput> batch;              // --png

    // Lines for standard output and standard error, without their newlines, in the order
    // they arose. They are written even when the process then ends.
    std::vector<std::string> output_lines;
    std::vector<std::string> error_lines;

    // The walk over the one-letter options stopped early (an illegal option, or -n or -p
    // followed by something they do not take). What was read before keeps its effect.
    bool stopped = false;

    // Set when the process ends now with this status: 1 for a malformed start of the
    // one-letter options, 0 after --help or --version, 2 for a bad long option.
    std::optional<int> exit_status;

    // Nothing but long options (or nothing at all) was given and no batch output asked for:
    // start-up offers the welcome dialog.
    bool welcome = false;
};

// `arguments` excludes the program name.
CommandLine parse_command_line(const std::vector<std::string>& arguments);
CommandLine parse_command_line(int argc, const char* const* argv);

// The text of --help, one line per element.
std::vector<std::string> usage_lines();

// How the -p values are read: leading blanks, then an optional sign and digits (columns) or a
// decimal or exponent number (ranges); reading stops at the first other character, and text
// that does not begin with a number gives 0. Columns are held within 32 bits and ranges stay
// finite.
int read_column_number(const std::string& text);
double read_range_number(const std::string& text);

// The "Plot info: " line written for one -p request.
std::string plot_info_line(const PlotRequest& request);

}  // namespace tarvik
