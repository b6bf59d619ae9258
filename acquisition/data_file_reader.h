// Reads a data text file's chosen columns into a curve's point store under the producer lock.
#pragma once

#include "file_spec.h"
#include "line_container.h"

namespace tarvik {

// Appends the points of spec's file to container; never removes points. With add_only set,
// data lines whose index is below container.lines_taken are skipped.
void read_data_file(const FileSpec& spec, LineContainer& container);

// A full re-read that parses only what was appended. When `container` holds what reading spec's
// file from its start gave (clear() and read_data_file(), or this) and the file has only grown
// since, its first bytes unchanged to the last one (checked exactly, through a strong hash of
// all of them), appends the lines after those read and stamps every point with the time of
// this read: the container then holds what clear() and read_data_file() would give. Returns
// false, with the container untouched, in every other case, and the caller reads anew.
bool extend_complete_read(const FileSpec& spec, LineContainer& container);

}  // namespace tarvik
