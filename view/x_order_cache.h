// Whether a store's x values never decrease, remembered per store: a repaint of unchanged data
// then reads no x at all, and one after points were appended reads only the new ones.
#pragma once

#include "line_container.h"

namespace tarvik {

// True when no x of `store` is below the one before it and none is NaN. The answer for a
// store seen before is trusted only while the store still looks the same up to the point last
// checked (same buffer, same last checked x and time, same x at a spread of sample points);
// otherwise every x is read again. Per thread; stores are told apart by address.
bool x_never_decreases(const LineContainer& store);

// Every x of xs[0, n) read: no value below the one before it, none NaN.
bool never_decreases(const double* xs, std::size_t n);

}  // namespace tarvik
