// Faults in, on another core, the memory a large read is about to fill. Fresh pages are costly
// here (the kernel zeroes each one, and a virtual machine's host may have to back it first),
// and that work can run beside the reader's conversion of the text. The contents are never
// touched: the kernel only maps zeroed pages where there were none, so the reader writes the
// same memory meanwhile without any locking.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <thread>
#include <vector>

namespace tarvik {

class PagePrefaulter {
  public:
    // arrays: where the reader writes next in each array; each has room for `room` more
    // elements of `element_size` bytes. Pages are faulted in at most a few megabytes ahead of
    // the position the reader reports, so that the read's peak memory hardly grows.
    PagePrefaulter(std::vector<char*> arrays, std::size_t element_size, std::size_t room);
    // Stops the worker, whatever it has done, and waits for it.
    ~PagePrefaulter();
    PagePrefaulter(const PagePrefaulter&) = delete;
    PagePrefaulter& operator=(const PagePrefaulter&) = delete;

    // The reader has written this many elements of every array.
    void filled(std::uint32_t elements) {
        filled_.store(elements, std::memory_order_release);
        filled_.notify_one();
    }

  private:
    void run();

    std::vector<char*> arrays_;
    std::size_t element_size_;
    std::size_t room_;
    std::atomic<std::uint32_t> filled_{0};
    std::atomic<bool> stop_{false};
    std::thread worker_;
};

}  // namespace tarvik
