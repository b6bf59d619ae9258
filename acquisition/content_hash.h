// A strong hash (XXH3, 128 bits) of a stream of bytes: what a full re-read compares to decide,
// exactly, that a file's first bytes are still those read before.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace tarvik {

struct ContentDigest {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    friend bool operator==(const ContentDigest&, const ContentDigest&) = default;
};

class ContentHash {
  public:
    ContentHash();
    ~ContentHash();
    ContentHash(const ContentHash&) = delete;
    ContentHash& operator=(const ContentHash&) = delete;

    void add(const char* data, std::size_t size);
    // Adds bytes [from, to) of an open file; false when they could not all be read.
    bool add_from_file(int fd, std::int64_t from, std::int64_t to);
    // The hash of the bytes added so far; more may be added afterwards.
    ContentDigest digest() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tarvik
