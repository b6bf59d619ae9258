// A fingerprint of the bytes before a resume offset, to notice a file that was rewritten
// rather than appended to: every byte of the last 1 MiB before the offset (so all of a small
// file), the first 4 KiB, and 256 bytes at every power-of-two offset from 8 KiB on. Cheap to
// take from a 4 GiB file; an edit deep inside a large file that leaves all sampled bytes alone
// goes unnoticed.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace tarvik {

// Supplies the bytes of [position, position + length) in pieces, in order, to `piece`; fewer
// when it cannot (the fingerprint then differs).
using ByteRangeReader = std::function<void(std::int64_t position, std::int64_t length,
                                           const std::function<void(std::string_view)>& piece)>;

std::uint64_t file_fingerprint(std::int64_t offset, const ByteRangeReader& read);

// The same, reading the bytes from an open file.
std::uint64_t file_fingerprint(int fd, std::int64_t offset);

// The same, from bytes in memory that start at file offset 0.
std::uint64_t file_fingerprint(std::string_view file_start, std::int64_t offset);

}  // namespace tarvik
