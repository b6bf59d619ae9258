#include "content_hash.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <vector>

#include "xxhash.h"
#ifdef TARVIK_XXH_DISPATCH
// The library picks the widest vector instructions the processor has (AVX2 where present),
// which hashes at about twice the speed of the portable code.
#include "xxh_x86dispatch.h"
#define TARVIK_XXH3_UPDATE XXH3_128bits_update_dispatch
#else
#define TARVIK_XXH3_UPDATE XXH3_128bits_update
#endif

namespace tarvik {

struct ContentHash::State {
    XXH3_state_t* xxh = nullptr;
};

ContentHash::ContentHash() : state_(std::make_unique<State>()) {
    state_->xxh = XXH3_createState();
    if (!state_->xxh)
        throw std::bad_alloc();
    XXH3_128bits_reset(state_->xxh);
}

ContentHash::~ContentHash() {
    XXH3_freeState(state_->xxh);
}

void ContentHash::add(const char* data, std::size_t size) {
    if (size > 0)
        TARVIK_XXH3_UPDATE(state_->xxh, data, size);
}

bool ContentHash::add_from_file(int fd, std::int64_t from, std::int64_t to) {
    // A piece that stays in the processor's cache between the copy and the hash.
    constexpr std::int64_t kPiece = std::int64_t{256} << 10;
    std::vector<char> piece(
        static_cast<std::size_t>(std::min(kPiece, std::max<std::int64_t>(to - from, 0))));
    while (from < to) {
        const auto want = static_cast<std::size_t>(std::min(kPiece, to - from));
        const ssize_t n = ::pread(fd, piece.data(), want, static_cast<off_t>(from));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        add(piece.data(), static_cast<std::size_t>(n));
        from += n;
    }
    return true;
}

ContentDigest ContentHash::digest() const {
    const XXH128_hash_t h = XXH3_128bits_digest(state_->xxh);
    return {h.low64, h.high64};
}

}  // namespace tarvik
