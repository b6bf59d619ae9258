#include "block_summary.h"

#include <algorithm>
#include <limits>

namespace tarvik {

namespace {

// Lowest and highest y of points [first, last), in two independent pairs so that consecutive
// comparisons need not wait for each other; gap when an x or a y is NaN.
YExtent scan_points(const double* xs, const double* ys, std::size_t first, std::size_t last) {
    double low[2] = {ys[first], ys[first]};
    double high[2] = {ys[first], ys[first]};
    bool gap = false;
    std::size_t i = first;
    for (; i + 1 < last; i += 2) {
        for (std::size_t j = 0; j < 2; ++j) {
            const double y = ys[i + j];
            gap |= std::isnan(y) | std::isnan(xs[i + j]);
            low[j] = y < low[j] ? y : low[j];
            high[j] = y > high[j] ? y : high[j];
        }
    }
    if (i < last) {
        gap |= std::isnan(ys[i]) | std::isnan(xs[i]);
        low[0] = ys[i] < low[0] ? ys[i] : low[0];
        high[0] = ys[i] > high[0] ? ys[i] : high[0];
    }
    return {low[0] < low[1] ? low[0] : low[1], high[0] > high[1] ? high[0] : high[1], gap};
}

}  // namespace

void BlockSummary::add_block(const double* xs, const double* ys) {
    const YExtent e = scan_points(xs, ys, 0, kBlock);
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    levels_[0].push_back(e.gap ? Entry{kNaN, kNaN} : Entry{e.low, e.high});
    // Each completed group of kFanOut blocks completes one block of the next size.
    for (std::size_t level = 1; level < levels_.size(); ++level) {
        const SharedSeries<Entry>& below = levels_[level - 1];
        if (below.size() % kFanOut != 0)
            break;
        const Entry* group = below.data() + below.size() - kFanOut;
        Entry combined = group[0];
        for (std::size_t k = 1; k < kFanOut && !std::isnan(combined.low); ++k) {
            if (std::isnan(group[k].low)) {
                combined = group[k];
                break;
            }
            combined.low = group[k].low < combined.low ? group[k].low : combined.low;
            combined.high = group[k].high > combined.high ? group[k].high : combined.high;
        }
        levels_[level].push_back(combined);
    }
}

void BlockSummary::clear() {
    for (auto& level : levels_)
        level.clear();
}

std::size_t BlockSummary::bytes() const {
    std::size_t total = 0;
    for (const auto& level : levels_)
        total += level.capacity() * sizeof(Entry);
    return total;
}

void BlockSummary::reserve(std::size_t points) {
    for (std::size_t level = 0; level < levels_.size(); ++level) {
        const std::size_t blocks = points / block_size(static_cast<int>(level));
        if (blocks == 0)
            break;
        levels_[level].reserve(blocks);
    }
}

void BlockSummary::prefetch_around(const double* ys, std::size_t point, std::size_t reach) const {
    // The points of the smallest block around it, which no whole block stands for.
    constexpr std::size_t kLine = 64 / sizeof(double);
    const std::size_t block_start = point / kBlock * kBlock;
    for (std::size_t i = block_start; i < block_start + kBlock && i < points(); i += kLine)
        __builtin_prefetch(ys + i);
    // At each size an extent of that reach uses, up to kFanOut - 1 blocks on either side.
    constexpr std::size_t kPerLine = 64 / sizeof(Entry);
    for (std::size_t level = 0; level < levels_.size(); ++level) {
        const auto size = block_size(static_cast<int>(level));
        const std::size_t blocks = levels_[level].size();
        if (size > reach || blocks == 0)
            break;
        const std::size_t at = std::min(point / size, blocks - 1);
        const std::size_t from = at >= kFanOut ? at - kFanOut + 1 : 0;
        const std::size_t to = std::min(at + kFanOut, blocks);
        const Entry* entries = levels_[level].data();
        for (std::size_t i = from; i < to; i += kPerLine)
            __builtin_prefetch(entries + i);
        __builtin_prefetch(entries + to - 1);
    }
}

YExtent BlockSummary::extent(const double* xs, const double* ys, std::size_t first,
                             std::size_t last) const {
    YExtent total{0.0, 0.0, false};
    bool empty = true;
    auto add = [&](double low, double high) {
        if (empty) {
            total.low = low;
            total.high = high;
            empty = false;
            return;
        }
        total.low = low < total.low ? low : total.low;
        total.high = high > total.high ? high : total.high;
    };
    walk(
        first, last,
        [&](std::size_t a, std::size_t b) {
            if (total.gap)
                return;
            const YExtent e = scan_points(xs, ys, a, b);
            total.gap = e.gap;
            add(e.low, e.high);
        },
        [&](int level, std::size_t index) {
            if (total.gap)
                return;
            const Entry& e = levels_[static_cast<std::size_t>(level)][index];
            total.gap = std::isnan(e.low);
            add(e.low, e.high);
        });
    return total;
}

}  // namespace tarvik
