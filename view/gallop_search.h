// Searching a sorted range from a place the answer is expected near.
#pragma once

#include <algorithm>
#include <cstddef>

namespace tarvik {

// The first index in [low, high) at which `past(index)` holds (high when none), for a `past`
// that fails up to some index and holds from there on. It gallops from `hint`, forward or
// back, and halves the last step: the cost grows with the logarithm of the distance from the
// hint, so a search that starts where the answer nearly is reads only the memory around it.
template <typename Past>
std::size_t first_index_where(std::size_t low, std::size_t high, std::size_t hint, Past&& past) {
    hint = std::clamp(hint, low, high);
    if (hint > low && past(hint - 1)) {
        high = hint - 1;
        for (std::size_t step = 1; low < high; step *= 2) {
            const std::size_t probe = high - std::min(step, high - low);
            if (!past(probe)) {
                low = probe + 1;
                break;
            }
            high = probe;
        }
    } else {
        low = hint;
        for (std::size_t step = 1; low < high; step *= 2) {
            const std::size_t probe = std::min(low + step - 1, high - 1);
            if (past(probe)) {
                high = probe;
                break;
            }
            low = probe + 1;
        }
    }
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if (past(mid))
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

}  // namespace tarvik
