#include "file_monitor.h"

#include <sys/stat.h>

#include <cerrno>

namespace tarvik {

namespace {

struct FileStamp {
    std::uint64_t time;
    std::int64_t size;
};

std::optional<FileStamp> stamp_of(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    const auto ns = static_cast<std::uint64_t>(st.st_mtim.tv_sec) * 1000000000ULL +
                    static_cast<std::uint64_t>(st.st_mtim.tv_nsec);
    return FileStamp{ns, static_cast<std::int64_t>(st.st_size)};
}

}  // namespace

bool file_exists(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return true;
    return errno != ENOENT && errno != ENOTDIR;
}

std::optional<std::uint64_t> last_write_time(const std::string& path) {
    const auto stamp = stamp_of(path);
    if (!stamp)
        return std::nullopt;
    return stamp->time;
}

bool FileMonitor::add(const std::string& path) {
    const auto stamp = stamp_of(path);
    if (!stamp)
        return false;  // missing, or gone since it was found
    names_.push_back(path);
    times_.push_back(stamp->time);
    statuses_.push_back(FILE_UNCHANGED);
    sizes_.push_back(stamp->size);
    return true;
}

FileStatus FileMonitor::check(int i) {
    const auto k = static_cast<std::size_t>(i);
    // One question per file and tick. A file that cannot be examined, also one that vanished a
    // moment ago, is missing; its stored time stays.
    FileStatus status = FILE_MISSING;
    if (const auto stamp = stamp_of(names_.at(k))) {
        status = FILE_UNCHANGED;
        if (stamp->time != times_[k] || stamp->size != sizes_[k]) {
            times_[k] = stamp->time;
            sizes_[k] = stamp->size;
            status = FILE_CHANGED;
        }
    }
    statuses_[k] = status;
    return status;
}

std::optional<DataNotice> FileMonitor::notice(int i) const {
    if (status(i) != FILE_MISSING)
        return std::nullopt;
    return DataNotice{DataNotice::Kind::FileMissing, 0, 0};
}

void FileMonitor::remove(int i) {
    const auto k = static_cast<std::ptrdiff_t>(i);
    names_.erase(names_.begin() + k);
    times_.erase(times_.begin() + k);
    statuses_.erase(statuses_.begin() + k);
    sizes_.erase(sizes_.begin() + k);
}

}  // namespace tarvik
