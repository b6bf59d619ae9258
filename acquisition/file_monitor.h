// Watches the data files of a plot's curves: per curve the path, the last-write time and size
// last seen, and the result of the latest check.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data_notice.h"

namespace tarvik {

enum FileStatus : std::int32_t { FILE_UNCHANGED = 0, FILE_CHANGED = 1, FILE_MISSING = 2 };

// False only when the path or a folder on it does not exist; a directory exists.
bool file_exists(const std::string& path);

// Last-write time in nanoseconds since 1970, or nothing when the file cannot be examined (for
// instance removed a moment ago).
std::optional<std::uint64_t> last_write_time(const std::string& path);

class FileMonitor {
  public:
    // Appends an entry with the file's current time and FILE_UNCHANGED. Returns false, leaving
    // the monitor as it was, when the file does not exist.
    bool add(const std::string& path);
    // Examines entry i: FILE_MISSING (stored time kept), FILE_CHANGED (new time stored) or
    // FILE_UNCHANGED. The status is stored and returned.
    FileStatus check(int i);
    void remove(int i);

    std::size_t size() const { return names_.size(); }
    std::string name(int i) const { return names_.at(static_cast<std::size_t>(i)); }
    std::uint64_t write_time(int i) const { return times_.at(static_cast<std::size_t>(i)); }
    FileStatus status(int i) const { return statuses_.at(static_cast<std::size_t>(i)); }
    // What the latest check of entry i found worth telling: the file is missing. Nothing
    // while it exists.
    std::optional<DataNotice> notice(int i) const;

  private:
    std::vector<std::string> names_;
    std::vector<std::uint64_t> times_;
    std::vector<FileStatus> statuses_;
    // The size seen with the time: file times tick in steps of a few milliseconds, so a line
    // appended within the step of the last check would otherwise wait for the next write.
    std::vector<std::int64_t> sizes_;
};

}  // namespace tarvik
