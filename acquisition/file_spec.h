// Which file a curve comes from and how its lines become points.
#pragma once

#include <cstdint>
#include <string>

namespace tarvik {

struct FileSpec {
    std::string file;
    std::int16_t xcol = 0;  // -1: x is the elapsed time since the first point
    std::int16_t ycol = 1;
    bool add_only = false;       // take only the data lines after those already taken
    std::int32_t time_unit = 0;  // 0 seconds, 1 minutes, 2 hours; anything else gives x = 0
};

// Files up to this size are copied in one piece under the lock; larger ones are read as a
// stream of lines.
inline constexpr std::int64_t kLargestFileReadWhole = 100000000;

}  // namespace tarvik
