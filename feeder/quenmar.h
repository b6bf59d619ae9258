// Quenmar, the test producer: writes passes of angle, sine and cosine lines into a data file
// under the producer lock, touching the file's write time after every line so that a plotter
// watching the file sees each one.
//
// Exit statuses: 1 when the file's write time cannot be set, 2 when the data file cannot be
// opened for writing.
#pragma once

#include <cstdint>
#include <string>

#include "mutex.h"

namespace quenmar {

inline constexpr int kExitFileTimeFailed = 1;
inline constexpr int kExitCannotOpen = 2;

// Sets the file's last-write time to now; the access time stays. On failure writes the error
// number to standard error and returns false.
bool set_current_file_time(const std::string& file);

// Writes one pass into file, emptied first: a header line, then one line per angle from start
// up to limit in steps of step, each under the lock m and followed by a pause of pause_ms.
// Ends the program when the file cannot be opened or its time cannot be set.
void print_plot(const std::string& file, double start, double step, std::int32_t pause_ms,
                double limit, tarvik::Mutex& m);

}  // namespace quenmar
