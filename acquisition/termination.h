// Ending the process from library code. The reader ends the plotter when the user aborts a
// file it cannot open; it does so through this hook, which the program may replace (to close
// its windows first) and tests replace to watch it. The default handler calls std::exit.
#pragma once

#include <functional>

namespace tarvik {

// Must not return; if it does, std::exit(status) follows.
using TerminationHandler = std::function<void(int status)>;

[[noreturn]] void terminate_process(int status);

// Installs `handler` (an empty one restores the default) and returns the one it replaces.
TerminationHandler set_termination_handler(TerminationHandler handler);

}  // namespace tarvik
