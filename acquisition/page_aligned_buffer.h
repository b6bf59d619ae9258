// A byte buffer for reading a file into, where each read lands at the file offset's own place
// within a page.
//
// The kernel copies file pages with one long string move. On this machine's processors that
// move runs at about a third of its speed when the destination lies a few bytes past the
// source's place within a page, as large blocks from malloc do (16 bytes into a fresh
// mapping): the stores then alias the loads that follow them. Landing at the same place keeps
// the copy at full speed.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

namespace tarvik {

class PageAlignedBuffer {
  public:
    // Room for reads of up to `size` bytes from any offset.
    explicit PageAlignedBuffer(std::size_t size) {
        const std::size_t rounded =
            (std::max<std::size_t>(size, 1) + 2 * kPage - 1) / kPage * kPage;
        data_.reset(static_cast<char*>(std::aligned_alloc(kPage, rounded)));
        if (!data_)
            throw std::bad_alloc();
    }

    // Where the bytes read from file offset `offset` go.
    char* landing_for(std::int64_t offset) {
        return data_.get() + static_cast<std::size_t>(std::max<std::int64_t>(offset, 0)) % kPage;
    }

  private:
    static constexpr std::size_t kPage = 4096;
    struct Free {
        void operator()(char* p) const { std::free(p); }
    };
    std::unique_ptr<char, Free> data_;
};

}  // namespace tarvik
