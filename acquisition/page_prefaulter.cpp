#include "page_prefaulter.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <limits>

namespace tarvik {

namespace {

constexpr std::size_t kLeadBytes = std::size_t{8} << 20;
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

void populate(char* begin, char* end) {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(begin) & ~(page - 1);
    const std::uintptr_t last = reinterpret_cast<std::uintptr_t>(end);
    // Kernels before 5.14 refuse the request; the reader then faults the pages itself.
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
}

}  // namespace

PagePrefaulter::PagePrefaulter(std::vector<char*> arrays, std::size_t element_size,
                               std::size_t room)
    : arrays_(std::move(arrays)),
      element_size_(element_size),
      room_(std::min<std::size_t>(room, std::numeric_limits<std::uint32_t>::max())),
      worker_([this] { run(); }) {}

PagePrefaulter::~PagePrefaulter() {
    stop_.store(true, std::memory_order_release);
    // A worker waiting for the reader sees the count change.
    filled_.fetch_add(1, std::memory_order_release);
    filled_.notify_one();
    worker_.join();
}

void PagePrefaulter::run() {
    const std::size_t lead = std::max<std::size_t>(1, kLeadBytes / element_size_);
    const std::size_t piece = std::max<std::size_t>(1, kPieceBytes / element_size_);
    std::size_t done = 0;  // elements of each array faulted in
    while (done < room_ && !stop_.load(std::memory_order_acquire)) {
        const std::uint32_t seen = filled_.load(std::memory_order_acquire);
        const std::size_t target = std::min(room_, std::size_t{seen} + lead);
        if (done >= target) {
            filled_.wait(seen, std::memory_order_acquire);
            continue;
        }
        const std::size_t next = std::min(target, done + piece);
        for (char* array : arrays_)
            populate(array + done * element_size_, array + next * element_size_);
        done = next;
    }
}

}  // namespace tarvik
