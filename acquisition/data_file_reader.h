// Reads a data text file's chosen columns into a curve's point store under the producer lock.
#pragma once

#include <optional>
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

// A full re-read that parses only what was appended. When `container` holds what reading spec's
// file from its start gave (clear() and read_data_file(), or this) and the file has only grown
// since, its first bytes unchanged to the last one (checked exactly, through a strong hash of
// all of them), appends the lines after those read and stamps every point with the time of
// this read: the container then holds what clear() and read_data_file() would give, and the
// notices returned are those read_data_file() would return. Returns nothing, with the
// container untouched, in every other case, and the caller reads anew.
std::optional<std::vector<DataNotice>> extend_complete_read(const FileSpec& spec,
                                                            LineContainer& container);

}  // namespace tarvik
