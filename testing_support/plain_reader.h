// The data file rules written the plain way — a line copy, string inserts for the comma
// preparation and the C library's sscanf for the fields — as the reference the reader is
// checked against in tests and measured against in benchmarks.
#pragma once

#include <string>

#include "file_spec.h"
#include "line_container.h"

namespace tarvik::plain {

std::string prepare_commas(std::string line, int comma_limit);

// One data line (without line feed) to a point: true when it converts; x is set only in
// two-value mode.
bool parse_line(const std::string& line, int xcol, int ycol, double& x, double& y);

// The whole-file read.
void sscanf_read_data_file(const FileSpec& spec, LineContainer& container);

}  // namespace tarvik::plain
