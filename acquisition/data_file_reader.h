// Reads a data text file's chosen columns into a curve's point store under the producer lock.
#pragma once

#include "file_spec.h"
#include "line_container.h"

namespace tarvik {

// Appends the points of spec's file to container; never removes points. With add_only set,
// data lines whose index is below container.lines_taken are skipped.
void read_data_file(const FileSpec& spec, LineContainer& container);

}  // namespace tarvik
