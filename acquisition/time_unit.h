// The unit of the real-time x axis: a curve whose x column is -1 takes as x the time since its
// first point, counted in this unit.
#pragma once

#include <cstdint>

namespace tarvik {

// A stored value other than these three gives x = 0.
enum TimeUnit : std::int32_t { SECONDS = 0, MINUTES = 1, HOURS = 2 };

// Any int32 is kept as it is, so a value no dialog offers survives a round trip.
constexpr TimeUnit to_time_unit(std::int32_t value) {
    return static_cast<TimeUnit>(value);
}

}  // namespace tarvik
