// What a new-lines-only read remembers about the file it walked, so that the next read can
// start at the first line it has not seen instead of walking every line again.
#pragma once

#include <cstdint>

#include "content_hash.h"

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

    // Set when the store holds exactly what reading the file from its start gave, all of the
    // bytes before offset: a full re-read of a file that has only grown since may then take
    // the lines after offset instead of reading everything again. What has to hold for that:
    bool exact = false;
    ContentDigest content;    // of the bytes before offset
    std::int64_t points = 0;  // the store's count after the read
    std::int16_t xcol = 0;    // the columns read
    std::int16_t ycol = 0;
    std::int64_t size = 0;  // the file's size and last-write time (ns) at the read
    std::int64_t modified = 0;
};

}  // namespace tarvik
