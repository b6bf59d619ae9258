// A program started by a test, with pipes to its standard input, output and error. Every wait
// is bounded; a child still running when the object goes away is killed.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tarvik::testing {

class ChildProcess {
  public:
    // Starts program with args (argv[0] is added), in folder cwd when not empty.
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::string& cwd = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }

    // The next line of its standard output without the line feed; nothing after the time-out
    // or at the end of the output.
    std::optional<std::string> read_line(std::chrono::milliseconds timeout);
    // Closing its standard input is the signal the lock holder waits for.
    void close_stdin();
    void kill(int signal);
    // The wait status once it has ended within the time-out.
    std::optional<int> wait(std::chrono::milliseconds timeout);
    // Everything it wrote on standard error, once it has ended.
    std::string read_stderr();

  private:
    pid_t pid_ = -1;
    bool reaped_ = false;
    int in_ = -1;
    int out_ = -1;
    int err_ = -1;
    std::string pending_;
};

}  // namespace tarvik::testing
