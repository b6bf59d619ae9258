#include "check.h"

#include <cstdio>
#include <cstdlib>

namespace tarvik {

void check_failed(const char* expression, const char* file, int line) {
    std::fprintf(stderr, "Check failed: %s, file %s, line %d\n", expression, file, line);
    std::fflush(stderr);
    std::abort();
}

}  // namespace tarvik
