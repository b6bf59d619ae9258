// What a new-lines-only read remembers about the file it walked, so that the next read can
// start at the first line it has not seen instead of walking every line again.
#pragma once

#include <cstdint>

namespace tarvik {

enum class ReadWay : std::uint8_t { WholeFile, LineStream };

struct ResumePoint {
    bool valid = false;
    ReadWay way = ReadWay::WholeFile;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    // Byte offset of the first line not yet walked; every byte before it belongs to complete
    // lines.
    std::int64_t offset = 0;
    // Data lines (comment lines excluded) in the bytes before offset.
    std::int64_t data_lines = 0;
    // Fingerprint of sampled bytes before offset, to notice a file rewritten in place.
    std::uint64_t fingerprint = 0;
    // Lines of every kind (comments and an empty line included) in the bytes before offset.
    std::int64_t lines = 0;
};

}  // namespace tarvik
