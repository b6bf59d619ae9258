// A fingerprint of the bytes before a resume offset, to notice a file that was rewritten
// rather than appended to: every byte of the last 1 MiB before the offset (so all of a small
// file), the first 4 KiB, and 256 bytes at every power-of-two offset from 8 KiB on. Cheap to
// take from a 4 GiB file; an edit deep inside a large file that leaves all sampled bytes alone
// goes unnoticed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvik {

// Supplies the bytes of [position, position + length) in pieces, in order, to `piece`; fewer
// when it cannot (the fingerprint then differs).
using ByteRangeReader = std::function<void(std::int64_t position, std::int64_t length,
                                           const std::function<void(std::string_view)>& piece)>;

std::uint64_t file_fingerprint(std::int64_t offset, const ByteRangeReader& read);

// The same, reading the bytes from an open file.
std::uint64_t file_fingerprint(int fd, std::int64_t offset);

// Where the last-MiB window of a fingerprint at `offset` begins: every byte it reads below
// this point is a head or sample block.
std::int64_t fingerprint_window_start(std::int64_t offset);

// The head and sample blocks of a buffer of the file's start, copied out before the buffer lets
// go of them, so that a fingerprint can still be taken once the rest is gone.
class FingerprintSamples {
  public:
    // Copies the blocks that start in [kept_until(), to) out of file_start.
    void keep(std::string_view file_start, std::int64_t to);
    // Bytes below this point are served from the copies only.
    std::int64_t kept_until() const { return kept_until_; }
    // The copy of the block that starts at position, or nothing.
    const std::string* block_at(std::int64_t position) const;

  private:
    std::vector<std::pair<std::int64_t, std::string>> blocks_;
    std::int64_t kept_until_ = 0;
};

// The same, from bytes in memory that start at file offset 0. Bytes below
// released.kept_until() are taken from its copies; fingerprint_window_start(offset) must not
// lie below that point.
std::uint64_t file_fingerprint(std::string_view file_start, std::int64_t offset,
                               const FingerprintSamples& released = FingerprintSamples());

}  // namespace tarvik
