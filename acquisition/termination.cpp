#include "termination.h"

#include <cstdlib>
#include <utility>

namespace tarvik {

namespace {

TerminationHandler& installed_handler() {
    static TerminationHandler handler;
    return handler;
}

}  // namespace

void terminate_process(int status) {
    if (const TerminationHandler& handler = installed_handler())
        handler(status);
    std::exit(status);
}

TerminationHandler set_termination_handler(TerminationHandler handler) {
    return std::exchange(installed_handler(), std::move(handler));
}

}  // namespace tarvik
