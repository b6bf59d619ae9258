#include "line_walk.h"

#include <sys/mman.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>
#include <vector>

namespace tarvik {

LineTaker::LineTaker(const FileSpec& spec, LineContainer& container, ReadWay way,
                     std::int64_t first_data_line)
    : parser_(spec.xcol, spec.ycol),
      container_(container),
      gap_rule_(way == ReadWay::WholeFile ? GapRule::LeadingNaN : GapRule::ExactlyNaN),
      stop_at_empty_line_(way == ReadWay::WholeFile),
      add_only_(spec.add_only),
      elapsed_time_(spec.xcol == -1),
      time_unit_(spec.time_unit),
      skip_(container.lines_taken),
      index_(first_data_line) {}

double LineTaker::elapsed_x(std::int64_t now) const {
    if (container_.count == 0)
        return 0.0;
    const double seconds = static_cast<double>(now - container_.time.front());
    switch (time_unit_) {
        case SECONDS:
            return seconds;
        case MINUTES:
            return seconds / 60.0;
        case HOURS:
            return seconds / 3600.0;
        default:
            return 0.0;
    }
}

namespace {

// Counts line feeds eight bytes at a time.
std::int64_t count_line_feeds(const char* data, std::size_t size) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr std::uint64_t kLineFeeds = 0x0A0A0A0A0A0A0A0AULL;
    std::int64_t total = 0;
    std::size_t i = 0;
    while (i + 8 <= size) {
        // Byte sums in one word, folded before any byte can reach 256.
        std::uint64_t sums = 0;
        for (int round = 0; round < 255 && i + 8 <= size; ++round, i += 8) {
            std::uint64_t word;
            std::memcpy(&word, data + i, 8);
            const std::uint64_t v = word ^ kLineFeeds;  // a zero byte where a line feed was
            const std::uint64_t zero = ~(((v & kLow7) + kLow7) | v | kLow7);
            sums += zero >> 7;
        }
        total += static_cast<std::int64_t>((sums * 0x0101010101010101ULL) >> 56);
    }
    for (; i < size; ++i)
        total += data[i] == '\n';
    return total;
}

// Large stores are filled once, front to back: huge pages spare one page fault per 4 KiB.
template <typename T>
void advise_huge_pages(const std::vector<T>& v) {
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(v.data());
    const std::uintptr_t end = begin + v.capacity() * sizeof(T);
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = end & ~(kHugePage - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace

void LineTaker::reserve_for(const char* sample, std::size_t sample_size, std::int64_t total_size) {
    // Counting every line feed of a large buffer would cost a pass over memory as long as
    // the walk itself; a megabyte tells the line length well enough.
    constexpr std::size_t kSample = std::size_t{1} << 20;
    const std::size_t sampled = std::min(sample_size, kSample);
    if (sampled == 0)
        return;
    std::int64_t lines = count_line_feeds(sample, sampled);
    if (static_cast<std::int64_t>(sampled) < total_size) {
        lines = static_cast<std::int64_t>(static_cast<double>(lines) * 1.125 *
                                          static_cast<double>(total_size) /
                                          static_cast<double>(sampled));
    }
    if (add_only_)
        lines -= std::max<std::int64_t>(0, skip_ - index_);
    if (lines <= 0)
        return;
    const std::size_t wanted = container_.x.size() + static_cast<std::size_t>(lines);
    if (wanted <= container_.x.capacity())
        return;
    container_.x.reserve(wanted);
    container_.y.reserve(wanted);
    advise_huge_pages(container_.x);
    advise_huge_pages(container_.y);
    start_prefaulting();
}

void LineTaker::start_prefaulting() {
    // Below this the reader's own page faults cost less than starting a thread.
    constexpr std::size_t kPrefaultFromPoints = std::size_t{2} << 20;
    const std::size_t start = container_.x.size();
    const std::size_t room = std::min(container_.x.capacity(), container_.y.capacity()) - start;
    prefaulter_.reset();
    if (room < kPrefaultFromPoints)
        return;
    prefault_start_ = start;
    try {
        prefaulter_ = std::make_unique<PagePrefaulter>(
            std::vector<char*>{reinterpret_cast<char*>(container_.x.data() + start),
                               reinterpret_cast<char*>(container_.y.data() + start)},
            sizeof(double), room);
    } catch (const std::system_error&) {
        // No thread to be had: the reader faults the pages itself.
    }
}

void LineTaker::report_to_prefaulter() {
    // Called every 256 points. The worker must have stopped before the store can move to a
    // larger block, so it is stopped while there is still room for the next 256.
    const std::size_t size = container_.x.size();
    if (std::min(container_.x.capacity(), container_.y.capacity()) - size < 512) {
        prefaulter_.reset();
        return;
    }
    // Waking the worker for every few pages would cost more than it saves.
    if ((points_since_clock_ & 8191) == 1)
        prefaulter_->filled(static_cast<std::uint32_t>(size - prefault_start_));
}

bool LineTaker::take(const char* b, const char* e) {
    if (b == e) {
        if (stop_at_empty_line_) {
            stopped_at_empty_line_ = true;
            return false;
        }
    } else if (e[-1] == '\r') {
        --e;
    }
    ++lines_walked_;
    if (b != e && *b == '#')
        return true;
    const std::int64_t n = index_++;
    if (add_only_ && n < skip_)
        return true;
    container_.note_line_taken();

    double x = static_cast<double>(n);  // the one-value x: the data-line index
    double y = 0.0;
    switch (parser_.parse(std::string_view(b, static_cast<std::size_t>(e - b)), gap_rule_, x, y)) {
        case LineParser::Result::NoPoint:
            return true;
        case LineParser::Result::Gap:
            x = y = std::numeric_limits<double>::quiet_NaN();
            break;
        case LineParser::Result::Point:
            break;
    }
    // The clock counts whole seconds; reading it for every point of a large file would cost
    // more than converting the point.
    if ((points_since_clock_++ & 255) == 0) {
        now_ = calendar_now();
        if (prefaulter_)
            report_to_prefaulter();
    }
    if (elapsed_time_)
        x = elapsed_x(now_);
    container_.add_point(x, y, now_);
    return true;
}

namespace {

template <typename TakeLine>
std::size_t walk(const char* data, std::size_t size, TakeLine&& take_line) {
    std::size_t done = 0;
    while (done < size) {
        const char* b = data + done;
        const char* nl = static_cast<const char*>(std::memchr(b, '\n', size - done));
        if (!nl)
            break;  // an unfinished line waits for its line feed
        if (!take_line(b, nl))
            break;
        done = static_cast<std::size_t>(nl - data) + 1;
    }
    return done;
}

}  // namespace

std::size_t walk_lines(const char* data, std::size_t size, LineTaker& taker) {
    return walk(data, size, [&](const char* b, const char* e) { return taker.take(b, e); });
}

std::size_t line_walk_extent(const char* data, std::size_t size, bool stop_at_empty_line) {
    return walk(data, size,
                [&](const char* b, const char* e) { return !(stop_at_empty_line && b == e); });
}

std::size_t byte_order_mark_length(const char* data, std::int64_t size) {
    return size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
}

}  // namespace tarvik
