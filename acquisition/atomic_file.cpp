#include "atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tarvik {

namespace {

std::string reason(int error_number) {
    return std::strerror(error_number != 0 ? error_number : EIO);
}

// The file a path names: a symbolic link is replaced by what it points to.
std::string resolved_target(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string target(real);
            std::free(real);
            return target;
        }
    }
    return path;
}

// The permissions a new file would get, or those of the file being replaced.
mode_t permissions_for(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool write_file_atomically(const std::string& path, const std::function<bool(std::FILE*)>& write,
                           std::string& error) {
    const std::string target = resolved_target(path);
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = reason(errno);
        return false;
    }
    const auto fail = [&](int error_number) {
        error = reason(error_number);
        ::unlink(temporary.c_str());
        return false;
    };
    ::fchmod(fd, permissions_for(target));
    std::FILE* f = ::fdopen(fd, "wb");
    if (f == nullptr) {
        const int e = errno;
        ::close(fd);
        return fail(e);
    }
    errno = 0;
    const bool written = write(f) && std::fflush(f) == 0 && ::fsync(fd) == 0;
    const int write_errno = errno;
    const bool failed_already = !written || std::ferror(f) != 0;
    if (std::fclose(f) != 0 && !failed_already)
        return fail(errno);
    if (failed_already)
        return fail(write_errno);
    // The folder is not flushed: after a power cut the old or the new file is there, whole.
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(errno);
    return true;
}

}  // namespace tarvik
