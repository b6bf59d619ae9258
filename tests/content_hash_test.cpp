// The hash that decides a file has only grown: however its bytes arrive (in memory, in pieces,
// read back from the file, chunks shared between threads), the same bytes give the same
// digest, and any other bytes give another.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <random>
#include <string>

#include "content_hash.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

using testing::TempDir;

std::string random_bytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

class OpenFile {
  public:
    explicit OpenFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY)) {}
    ~OpenFile() { ::close(fd_); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

ContentDigest digest_in_memory(const std::string& bytes, std::int64_t chunk) {
    ContentHash hash(chunk);
    hash.add(bytes.data(), bytes.size());
    return hash.digest();
}

// The first `in_memory` bytes added from memory, the rest read back from the file.
ContentDigest digest_from_file(const std::string& path, std::int64_t size, std::int64_t chunk,
                               std::int64_t in_memory = 0) {
    const std::string bytes = testing::read_file_bytes(path);
    ContentHash hash(chunk);
    hash.add(bytes.data(), static_cast<std::size_t>(in_memory));
    OpenFile file(path);
    EXPECT_TRUE(hash.add_from_file(file.fd(), in_memory, size));
    return hash.digest();
}

TEST(ContentHash, EveryWayOfAddingTheSameBytesGivesOneDigest) {
    TempDir dir;
    struct Case {
        std::size_t size;
        std::int64_t chunk;
    };
    const Case cases[] = {
        {0, 64},           {1, 64},
        {63, 64},          {64, 64},
        {65, 64},          {129, 64},
        {64 * 37 + 5, 64}, {64 * 200, 64},
        {5000, 1},         {(std::size_t{3} << 22) + 5, ContentHash::kDefaultChunk}};
    for (const Case& c : cases) {
        SCOPED_TRACE("size " + std::to_string(c.size) + ", chunk " + std::to_string(c.chunk));
        const std::string bytes = random_bytes(c.size, static_cast<unsigned>(c.size));
        const std::string path = dir.write("bytes", bytes);
        const auto size = static_cast<std::int64_t>(c.size);
        const ContentDigest whole = digest_in_memory(bytes, c.chunk);

        ContentHash pieces(c.chunk);
        std::mt19937 random(7);
        for (std::size_t at = 0; at < c.size;) {
            const std::size_t n = std::min<std::size_t>(c.size - at, random() % 150);
            pieces.add(bytes.data() + at, n);
            at += n;
        }
        EXPECT_EQ(pieces.digest(), whole);

        for (const std::int64_t in_memory : {std::int64_t{0}, std::int64_t{1}, c.chunk - 1, c.chunk,
                                             c.chunk + 3, size / 2, size}) {
            if (in_memory <= size) {
                EXPECT_EQ(digest_from_file(path, size, c.chunk, in_memory), whole)
                    << in_memory << " bytes from memory";
            }
        }

        // Read back in two runs, as a line begun in one piece and ended in the next is.
        ContentHash twice(c.chunk);
        OpenFile file(path);
        EXPECT_TRUE(twice.add_from_file(file.fd(), 0, size / 3));
        EXPECT_TRUE(twice.add_from_file(file.fd(), size / 3, size));
        EXPECT_EQ(twice.digest(), whole);
    }
}

TEST(ContentHash, AnyChangedByteOrLengthChangesTheDigest) {
    TempDir dir;
    constexpr std::int64_t kChunk = 64;
    const std::string bytes = random_bytes(kChunk * 40 + 17, 3);
    const auto size = static_cast<std::int64_t>(bytes.size());
    const ContentDigest original = digest_in_memory(bytes, kChunk);
    for (const std::int64_t at : {std::int64_t{0}, kChunk - 1, kChunk, kChunk * 20 + 5,
                                  kChunk * 40 - 1, kChunk * 40, size - 1}) {
        std::string changed = bytes;
        changed[static_cast<std::size_t>(at)] ^= 1;
        EXPECT_NE(digest_from_file(dir.write("changed", changed), size, kChunk), original)
            << "byte " << at;
    }
    // The same bytes as whole chunks and as a chunk being added to must not meet.
    for (const std::int64_t length : {size - 1, kChunk * 40, kChunk, std::int64_t{0}})
        EXPECT_NE(digest_in_memory(bytes.substr(0, static_cast<std::size_t>(length)), kChunk),
                  original);
    EXPECT_NE(digest_in_memory("", kChunk), digest_in_memory(std::string(1, '\0'), kChunk));
    EXPECT_NE(digest_in_memory(std::string(kChunk, '\0'), kChunk),
              digest_in_memory(std::string(kChunk * 2, '\0'), kChunk));
}

TEST(ContentHash, BytesMissingFromTheFileAreAFailure) {
    TempDir dir;
    constexpr std::int64_t kChunk = 64;
    const std::string path = dir.write("short", random_bytes(kChunk * 10, 5));
    for (const std::int64_t past : {std::int64_t{1}, kChunk * 5 + 3}) {
        ContentHash hash(kChunk);
        OpenFile file(path);
        EXPECT_FALSE(hash.add_from_file(file.fd(), 0, kChunk * 10 + past)) << past;
    }
    ContentHash hash(kChunk);
    EXPECT_FALSE(hash.add_from_file(-1, 0, kChunk * 10));
}

}  // namespace
}  // namespace tarvik
