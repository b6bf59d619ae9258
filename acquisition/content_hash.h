// A strong hash (XXH3, 128 bits) of a stream of bytes: what a full re-read compares to decide,
// exactly, that a file's first bytes are still those read before.
//
// The stream is hashed in chunks of a fixed size, and the digest is the hash of the chunks'
// hashes. Whole chunks are independent of each other, so hashing a file's bytes again can
// share them between threads: checking a large file's old bytes is bound by copying them out
// of the page cache, which one core does at a fraction of the memory's speed.
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
    static constexpr std::int64_t kDefaultChunk = std::int64_t{4} << 20;

    // `chunk` bytes per chunk; the same stream gives the same digest only with the same size.
    explicit ContentHash(std::int64_t chunk = kDefaultChunk);
    ~ContentHash();
    ContentHash(const ContentHash&) = delete;
    ContentHash& operator=(const ContentHash&) = delete;

    void add(const char* data, std::size_t size);
    // Adds bytes [from, to) of an open file, which follow those added so far; false when they
    // could not all be read. Whole chunks among them are hashed on more than one thread.
    bool add_from_file(int fd, std::int64_t from, std::int64_t to);
    // The hash of the bytes added so far; more may be added afterwards.
    ContentDigest digest() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tarvik
