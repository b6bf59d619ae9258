// A growing sequence of plain values whose copies share their elements. Point stores are copied
// for every history generation, and a generation mostly differs from the one before only by the
// points added since: the copies share one block of memory, each seeing its own length of it.
// The block only ever grows at its end, and only the copy that has written that end may write
// further in place; any other copy that is appended to first takes a block of its own. So a
// copy behaves as an independent value, while reading stays one contiguous array. Like a
// vector's, the memory may move when the block grows, for every copy that reads it: pointers
// into a series last only until the next append to it or to a copy of it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace tarvik {

// The memory of one block: large blocks are mapped (huge pages, grown by the kernel without
// copying), small ones come from the heap.
class SeriesMemory {
  public:
    SeriesMemory() = default;
    explicit SeriesMemory(std::size_t bytes);
    ~SeriesMemory();
    SeriesMemory(const SeriesMemory&) = delete;
    SeriesMemory& operator=(const SeriesMemory&) = delete;

    void* data() const { return data_; }
    std::size_t bytes() const { return bytes_; }
    // Makes room for `bytes`, keeping the first `kept` bytes; the data may move.
    void grow(std::size_t bytes, std::size_t kept);

  private:
    void release();

    void* data_ = nullptr;
    std::size_t bytes_ = 0;
    bool mapped_ = false;
};

template <typename T>
class SharedSeries {
    static_assert(std::is_trivially_copyable_v<T>);

  public:
    using value_type = T;
    using iterator = const T*;
    using const_iterator = const T*;
    using const_reverse_iterator = std::reverse_iterator<const T*>;

    SharedSeries() = default;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const T* data() const { return block_ ? block_->elements() : nullptr; }
    // Element access on a series that holds the element.
    const T& operator[](std::size_t i) const { return block_->elements()[i]; }
    const T& front() const { return block_->elements()[0]; }
    const T& back() const { return block_->elements()[size_ - 1]; }
    const T* begin() const { return data(); }
    const T* end() const { return data() + size_; }
    const_reverse_iterator rbegin() const { return const_reverse_iterator(end()); }
    const_reverse_iterator rend() const { return const_reverse_iterator(begin()); }

    // How many elements this series can hold before an append moves it to other memory.
    std::size_t capacity() const { return owns_end() ? block_->capacity : size_; }
    // Whether two series read the same memory.
    bool shares_with(const SharedSeries& other) const { return block_ && block_ == other.block_; }

    void push_back(const T& value) {
        Block* b = block_.get();
        if (b && b->written == size_ && size_ < b->capacity) [[likely]] {
            b->elements()[size_] = value;
            b->written = ++size_;
            return;
        }
        make_room(size_ + 1);
        block_->elements()[size_] = value;
        block_->written = ++size_;
    }

    // Room for n elements that this series may write in place.
    void reserve(std::size_t n) {
        if (n > capacity())
            make_room(n);
    }

    // Empties the series. A block no other copy reads is kept with its room; a shared one is left
    // to the other copies.
    void clear() {
        if (block_ && block_.use_count() == 1) {
            block_->written = 0;
        } else {
            block_.reset();
        }
        size_ = 0;
    }

    // Where the next elements will be written, and how many fit there: the memory a large read
    // has faulted in ahead of it. Empty unless this series may write there.
    std::pair<char*, std::size_t> room() {
        if (!owns_end())
            return {nullptr, 0};
        return {reinterpret_cast<char*>(block_->elements() + size_), block_->capacity - size_};
    }

    friend bool operator==(const SharedSeries& a, const SharedSeries& b) {
        return a.size_ == b.size_ &&
               (a.size_ == 0 || a.data() == b.data() || std::equal(a.begin(), a.end(), b.begin()));
    }
    friend bool operator==(const SharedSeries& a, const std::vector<T>& b) {
        return a.size_ == b.size() && std::equal(a.begin(), a.end(), b.begin());
    }

  private:
    struct Block {
        explicit Block(std::size_t n) : memory(n * sizeof(T)), capacity(n) {}
        T* elements() const { return static_cast<T*>(memory.data()); }
        SeriesMemory memory;
        std::size_t capacity;
        std::size_t written = 0;  // elements written by any series: no one may write below
    };

    // True when nothing past this series' last element has been written by another copy, so that
    // it may append in place. A block no one else reads is always this series' own.
    bool owns_end() const {
        return block_ && (block_->written == size_ || block_.use_count() == 1);
    }

    void make_room(std::size_t n) {
        if (owns_end()) {
            block_->written = size_;  // what another copy wrote past it is no one's any more
            if (n > block_->capacity) {
                const std::size_t grown = std::max(n, block_->capacity + block_->capacity / 2);
                block_->memory.grow(grown * sizeof(T), size_ * sizeof(T));
                block_->capacity = grown;
            }
            return;
        }
        // A block of its own: the others keep reading the old one.
        const std::size_t wanted = std::max<std::size_t>({n, size_ + size_ / 2, 16});
        auto fresh = std::make_shared<Block>(wanted);
        if (size_ > 0)
            std::memcpy(fresh->elements(), block_->elements(), size_ * sizeof(T));
        fresh->written = size_;
        block_ = std::move(fresh);
    }

    std::shared_ptr<Block> block_;
    std::size_t size_ = 0;
};

}  // namespace tarvik
