#include "x_order_cache.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <unordered_map>

namespace tarvik {

namespace {

constexpr std::size_t kSamples = 16;

// What a store looked like when its first `checked` x values were found never decreasing.
struct Checked {
    const double* buffer = nullptr;
    std::size_t checked = 0;
    std::int64_t last_time = 0;
    std::array<double, kSamples> samples{};
};

std::size_t sample_index(std::size_t k, std::size_t checked) {
    return k * (checked - 1) / (kSamples - 1);
}

bool same_bits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Whether the first `c.checked` points are, as far as can be seen cheaply, the ones checked.
// A store that was cleared and filled again mostly differs in the buffer, the time stamps or
// one of the samples.
bool still_holds(const Checked& c, const LineContainer& store) {
    const std::size_t n = store.x.size();
    if (c.buffer != store.x.data() || c.checked == 0 || n < c.checked ||
        store.time.size() < c.checked || store.time[c.checked - 1] != c.last_time)
        return false;
    for (std::size_t k = 0; k < kSamples; ++k) {
        if (!same_bits(store.x[sample_index(k, c.checked)], c.samples[k]))
            return false;
    }
    return true;
}

Checked remember(const LineContainer& store) {
    Checked c;
    c.buffer = store.x.data();
    c.checked = store.x.size();
    c.last_time = store.time.size() >= c.checked ? store.time[c.checked - 1] : 0;
    for (std::size_t k = 0; k < kSamples; ++k)
        c.samples[k] = store.x[sample_index(k, c.checked)];
    return c;
}

}  // namespace

// Blocks without early exits let the comparisons run side by side.
[[gnu::noinline]] bool never_decreases(const double* xs, std::size_t n) {
    if (n > 0 && std::isnan(xs[0]))
        return false;
    constexpr std::size_t kBlock = 1024;
    for (std::size_t start = 1; start < n; start += kBlock) {
        const std::size_t end = std::min(n, start + kBlock);
        bool rising = true;
        for (std::size_t i = start; i < end; ++i)
            rising &= xs[i] >= xs[i - 1];
        if (!rising)
            return false;  // decreasing, or NaN
    }
    return true;
}

bool x_never_decreases(const LineContainer& store) {
    // Only answers of "never decreases" are kept: a store that turns back is drawn point by
    // point anyway, and reading its x until the first turn costs little beside that.
    thread_local std::unordered_map<const LineContainer*, Checked> known;
    const std::size_t n = store.x.size();
    if (n == 0)
        return true;
    const auto found = known.find(&store);
    std::size_t from = 0;
    if (found != known.end() && still_holds(found->second, store))
        from = found->second.checked - 1;  // the new points, and the last one checked before
    if (!never_decreases(store.x.data() + from, n - from)) {
        if (found != known.end())
            known.erase(found);
        return false;
    }
    // Stores that are gone leave entries behind; a bound keeps them from piling up.
    constexpr std::size_t kMostStores = 4096;
    if (found == known.end() && known.size() >= kMostStores)
        known.clear();
    known[&store] = remember(store);
    return true;
}

}  // namespace tarvik
