#include "quenmar.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "prompt.h"

namespace quenmar {

namespace {

constexpr const char* kCaption = "marquen:";

void report_error(const char* format) {
    const long code = errno;
    std::fprintf(stderr, format, code);
    std::fprintf(stderr, "\n");
    std::fflush(stderr);
}

void show(const char* text) {
    tarvik::prompt::show(text, kCaption, tarvik::prompt::Icon::None, tarvik::prompt::Buttons::Ok);
}

}  // namespace

bool set_current_file_time(const std::string& file) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        report_error("Create file failed with code %ld ");
        return false;
    }
    const timespec times[2] = {{0, UTIME_OMIT}, {0, UTIME_NOW}};
    if (futimens(fd, times) != 0) {
        report_error("Error setting file time code %ld ");
        ::close(fd);
        return false;
    }
    ::close(fd);
    return true;
}

void print_plot(const std::string& file, double start, double step, std::int32_t pause_ms,
                double limit, tarvik::Mutex& m) {
    std::FILE* out = std::fopen(file.c_str(), "w");
    if (!out) {
        std::fprintf(stderr, "%s cannot open %s for writing: %s\n", kCaption, file.c_str(),
                     std::strerror(errno));
        std::fflush(stderr);
        std::exit(kExitCannotOpen);
    }
    // A new pass starts with an emptied file holding only the header; no lock needed for it.
    std::fputs("#Output from quenmar program \n", out);
    std::fflush(out);

    double angle = start - step;
    for (;;) {
        angle += step;
        if (angle > limit)
            break;
        const double s = std::sin(angle);
        const double c = std::cos(angle);
        {
            // Held only for the append, flush and time stamp: the plotter waits on it.
            tarvik::Lock lock(m);
            switch (m.wait_return_code()) {
                case tarvik::kWaitObject0:
                    std::fprintf(out, "%.3f,%.3f,%.3f\n", angle, s, c);
                    std::fflush(out);
                    // Ends with the lock held; the next waiter finds it abandoned.
                    if (!set_current_file_time(file))
                        std::exit(kExitFileTimeFailed);
                    break;
                case tarvik::kWaitAbandoned:
                    show("Mutex returned with ABANDONED");
                    break;
                case tarvik::kWaitTimeout:
                    show("Mutex retruned with TIMEOUT");
                    break;
                default:
                    break;
            }
        }
        if (pause_ms > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(pause_ms));
    }
    std::fclose(out);
}

}  // namespace quenmar
