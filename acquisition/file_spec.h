// Which file a curve comes from and how its lines become points.
#pragma once

#include <cstdint>
#include <string>

#include "time_unit.h"

namespace tarvik {

struct FileSpec {
    std::string file;
    std::int16_t xcol = 0;  // -1: x is the elapsed time since the first point
    std::int16_t ycol = 1;
    bool add_only = false;         // take only the data lines after those already taken
    TimeUnit time_unit = SECONDS;  // of the elapsed time when xcol is -1
};

// Files up to this size are copied in one piece under the lock; larger ones are read as a
// stream of lines.
inline constexpr std::int64_t kLargestFileReadWhole = 100000000;

}  // namespace tarvik
