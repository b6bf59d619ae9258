// The baseline the whole-file read is measured against: the same rules written the plain way,
// with a line copy, string inserts for the comma preparation and sscanf for the fields.
#pragma once

#include "file_spec.h"
#include "line_container.h"

namespace tarvik::bench {

void sscanf_read_data_file(const FileSpec& spec, LineContainer& container);

}  // namespace tarvik::bench
