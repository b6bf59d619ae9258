// Internal consistency checks that stay on in every build: a failed check names the
// expression and the source file on standard error, then aborts.
#pragma once

namespace tarvik {
[[noreturn]] void check_failed(const char* expression, const char* file, int line);
}

#define TARVIK_CHECK(expr) \
    ((expr) ? static_cast<void>(0) : ::tarvik::check_failed(#expr, __FILE__, __LINE__))

// The same, naming the source as the user sees it rather than by file path.
#define TARVIK_CHECK_SOURCE(expr, source) \
    ((expr) ? static_cast<void>(0) : ::tarvik::check_failed(#expr, source, __LINE__))
