#include "shared_series.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace tarvik {

namespace {

// From this size on a block is mapped: huge pages spare the page faults of a large store, and
// the kernel grows a mapping by moving page tables instead of copying.
constexpr std::size_t kMappedFrom = std::size_t{2} << 20;

void* map_bytes(std::size_t bytes) {
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    ::madvise(p, bytes, MADV_HUGEPAGE);
    return p;
}

}  // namespace

SeriesMemory::SeriesMemory(std::size_t bytes) : bytes_(bytes) {
    if (bytes == 0)
        return;
    if (bytes >= kMappedFrom) {
        data_ = map_bytes(bytes);
        mapped_ = true;
        return;
    }
    data_ = std::malloc(bytes);
    if (!data_)
        throw std::bad_alloc();
}

SeriesMemory::~SeriesMemory() {
    release();
}

void SeriesMemory::release() {
    if (mapped_)
        ::munmap(data_, bytes_);
    else
        std::free(data_);
    data_ = nullptr;
    bytes_ = 0;
    mapped_ = false;
}

void SeriesMemory::grow(std::size_t bytes, std::size_t kept) {
    if (bytes <= bytes_)
        return;
    if (mapped_) {
        void* p = ::mremap(data_, bytes_, bytes, MREMAP_MAYMOVE);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        ::madvise(p, bytes, MADV_HUGEPAGE);
        data_ = p;
        bytes_ = bytes;
        return;
    }
    if (bytes < kMappedFrom) {
        void* p = std::realloc(data_, bytes);
        if (!p)
            throw std::bad_alloc();
        data_ = p;
        bytes_ = bytes;
        return;
    }
    void* p = map_bytes(bytes);
    if (kept > 0)
        std::memcpy(p, data_, kept);
    release();
    data_ = p;
    bytes_ = bytes;
    mapped_ = true;
}

}  // namespace tarvik
