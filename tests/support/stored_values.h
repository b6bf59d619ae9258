// Comparing and printing doubles as a store holds them.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

namespace tarvik::testing {

// Equal as stored values: NaN matches NaN, and -0 does not match +0.
inline bool same(double a, double b) {
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return a == b && std::signbit(a) == std::signbit(b);
}

// Every digit, for failure messages.
inline std::string num(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

}  // namespace tarvik::testing
