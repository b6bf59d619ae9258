// The second process of the lock tests. Usage: lock_holder MODE NAME [ARGS]
//   hold NAME             acquire, print the wait result, hold until standard input closes,
//                         release, print "released"
//   probe NAME MS         acquire with a time-out of MS, print the wait result, release if
//                         granted
//   exit-held NAME        acquire a lock that lives until exit, print the wait result and end
//                         the process with it held
//   race NAME LOG ROUNDS  wait until standard input closes, then open the lock and ROUNDS
//                         times append "<pid> in" and "<pid> out" lines to LOG while holding
//                         it; exit status 3 if the lock could not be made, 4 if a wait failed
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "mutex.h"

namespace {

void report(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

void wait_for_stdin_to_close() {
    char c;
    while (read(0, &c, 1) > 0) {
    }
}

bool granted(std::uint32_t result) {
    return result == tarvik::kWaitObject0 || result == tarvik::kWaitAbandoned;
}

void append_line(int fd, const std::string& text) {
    const std::string line = std::to_string(getpid()) + " " + text + "\n";
    if (write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        std::exit(5);
}

int race(const std::string& name, const std::string& log, int rounds) {
    wait_for_stdin_to_close();
    tarvik::Mutex m(name, tarvik::kInfinite);
    if (!m.valid())
        return 3;
    const int fd = open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (fd < 0)
        return 5;
    for (int i = 0; i < rounds; ++i) {
        tarvik::Lock lock(m);
        if (m.wait_return_code() != tarvik::kWaitObject0)
            return 4;
        append_line(fd, "in");
        std::this_thread::sleep_for(std::chrono::microseconds(500));
        append_line(fd, "out");
    }
    close(fd);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: lock_holder hold|probe|exit-held|race NAME [ARGS]\n");
        return 2;
    }
    const std::string mode = argv[1];
    const std::string name = argv[2];
    if (mode == "hold") {
        tarvik::Mutex m(name, tarvik::kInfinite);
        m.aquire();
        report(std::to_string(m.wait_return_code()));
        wait_for_stdin_to_close();
        m.release();
        report("released");
        return 0;
    }
    if (mode == "probe" && argc == 4) {
        tarvik::Mutex m(name, static_cast<std::uint32_t>(std::stoul(argv[3])));
        m.aquire();
        report(std::to_string(m.wait_return_code()));
        if (granted(m.wait_return_code()))
            m.release();
        return 0;
    }
    if (mode == "exit-held") {
        // Destroyed by exit() while still held, as the plotter's process-wide lock may be.
        static tarvik::Mutex m(name, tarvik::kInfinite);
        m.aquire();
        report(std::to_string(m.wait_return_code()));
        std::exit(0);
    }
    if (mode == "race" && argc == 5)
        return race(name, argv[3], std::stoi(argv[4]));
    std::fprintf(stderr, "lock_holder: unknown mode or wrong arguments\n");
    return 2;
}
