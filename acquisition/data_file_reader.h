// Reads a data text file's chosen columns into a curve's point store under the producer lock.
#pragma once

#include <vector>

#include "data_notice.h"
#include "file_spec.h"
#include "line_container.h"

namespace tarvik {

// Appends the points of spec's file to container; never removes points. With add_only set,
// data lines whose index is below container.lines_taken are skipped. Returns why the data
// stop or wait, if they do: the empty line the read ended at, and (add_only) a file holding
// fewer data lines than the container has taken. Nothing when the file could not be read.
std::vector<DataNotice> read_data_file(const FileSpec& spec, LineContainer& container);

}  // namespace tarvik
