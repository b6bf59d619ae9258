#include "file_fingerprint.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "xxh3_state.h"

namespace tarvik {

namespace {

constexpr std::int64_t kHeadBlock = 4096;
constexpr std::int64_t kTailWindow = std::int64_t{1} << 20;
constexpr std::int64_t kSampleBlock = 256;
constexpr std::int64_t kFirstSample = 8192;
constexpr std::size_t kPiece = 64 * 1024;

// Hashes a stream of bytes, whatever pieces they come in (XXH3, at memory speed: a new-lines
// read takes two fingerprints of a mebibyte each).
class StreamHash {
  public:
    void add(std::string_view bytes) {
        if (!bytes.empty())
            TARVIK_XXH3_64_UPDATE(state_.get(), bytes.data(), bytes.size());
    }
    void add_number(std::int64_t n) { TARVIK_XXH3_64_UPDATE(state_.get(), &n, sizeof n); }
    std::uint64_t value() const { return XXH3_64bits_digest(state_.get()); }

  private:
    Xxh3State state_{Xxh3State::Bits::b64};
};

}  // namespace

std::uint64_t file_fingerprint(std::int64_t offset, const ByteRangeReader& read) {
    StreamHash hash;
    hash.add_number(offset);
    auto block = [&](std::int64_t position, std::int64_t length) {
        length = std::min(length, offset - position);
        if (length <= 0)
            return;
        hash.add_number(position);
        std::int64_t got = 0;
        read(position, length, [&](std::string_view piece) {
            got += static_cast<std::int64_t>(piece.size());
            hash.add(piece);
        });
        hash.add_number(got);
    };
    const std::int64_t tail = fingerprint_window_start(offset);
    block(0, std::min(kHeadBlock, tail));
    for (std::int64_t p = kFirstSample; p < tail && p > 0; p *= 2)
        block(p, kSampleBlock);
    block(tail, kTailWindow);
    return hash.value();
}

std::uint64_t file_fingerprint(int fd, std::int64_t offset) {
    std::vector<char> scratch;
    return file_fingerprint(offset, [&](std::int64_t position, std::int64_t length,
                                        const std::function<void(std::string_view)>& piece) {
        scratch.resize(std::min<std::size_t>(kPiece, static_cast<std::size_t>(length)));
        while (length > 0) {
            const std::size_t want =
                std::min<std::size_t>(scratch.size(), static_cast<std::size_t>(length));
            const ssize_t n = ::pread(fd, scratch.data(), want, static_cast<off_t>(position));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return;
            piece(std::string_view(scratch.data(), static_cast<std::size_t>(n)));
            position += n;
            length -= n;
        }
    });
}

std::int64_t fingerprint_window_start(std::int64_t offset) {
    return std::max<std::int64_t>(0, offset - kTailWindow);
}

void FingerprintSamples::keep(std::string_view file_start, std::int64_t to) {
    const auto size = static_cast<std::int64_t>(file_start.size());
    auto copy = [&](std::int64_t position, std::int64_t length) {
        if (position < kept_until_ || position >= to || position >= size)
            return;
        blocks_.emplace_back(position,
                             std::string(file_start.substr(
                                 static_cast<std::size_t>(position),
                                 static_cast<std::size_t>(std::min(length, size - position)))));
    };
    copy(0, kHeadBlock);
    for (std::int64_t p = kFirstSample; p < to && p > 0; p *= 2)
        copy(p, kSampleBlock);
    kept_until_ = std::max(kept_until_, to);
}

const std::string* FingerprintSamples::block_at(std::int64_t position) const {
    for (const auto& [start, bytes] : blocks_) {
        if (start == position)
            return &bytes;
    }
    return nullptr;
}

std::uint64_t file_fingerprint(std::string_view file_start, std::int64_t offset,
                               const FingerprintSamples& released) {
    return file_fingerprint(offset, [&](std::int64_t position, std::int64_t length,
                                        const std::function<void(std::string_view)>& piece) {
        std::string_view from = file_start;
        if (position < released.kept_until()) {
            const std::string* block = released.block_at(position);
            if (!block)
                return;
            from = *block;
            position = 0;
        }
        const auto size = static_cast<std::int64_t>(from.size());
        if (position >= size)
            return;
        piece(from.substr(static_cast<std::size_t>(position),
                          static_cast<std::size_t>(std::min(length, size - position))));
    });
}

}  // namespace tarvik
