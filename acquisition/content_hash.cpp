#include "content_hash.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "page_aligned_buffer.h"
#include "xxh3_state.h"

namespace tarvik {

namespace {

// Reads the file's bytes [from, to) a piece at a time and hands each piece to `take`; false
// when they could not all be read.
class PieceReader {
  public:
    // A piece that stays in the processor's cache between the copy and the hash.
    static constexpr std::int64_t kPiece = std::int64_t{256} << 10;

    template <typename Take>
    bool read(int fd, std::int64_t from, std::int64_t to, Take&& take) {
        while (from < to) {
            const auto want = static_cast<std::size_t>(std::min(kPiece, to - from));
            char* const into = buffer_.landing_for(from);
            const ssize_t n = ::pread(fd, into, want, static_cast<off_t>(from));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            take(into, static_cast<std::size_t>(n));
            from += n;
        }
        return true;
    }

  private:
    PageAlignedBuffer buffer_{static_cast<std::size_t>(kPiece)};
};

// Hashes the whole chunks `first`, `first` + 1, ... of a file (chunk i starting at byte
// `start` + i * `chunk`) into `out`; threads claim the chunks one at a time.
class ParallelChunks {
  public:
    ParallelChunks(int fd, std::int64_t start, std::int64_t chunk, XXH128_hash_t* out,
                   std::int64_t count)
        : fd_(fd), start_(start), chunk_(chunk), out_(out), count_(count) {}

    bool run() {
        const unsigned cores = std::max(2u, std::thread::hardware_concurrency());
        const auto helpers = static_cast<std::int64_t>(std::min<unsigned>(cores - 1, 3));
        std::vector<std::thread> threads;
        for (std::int64_t i = 0; i < std::min(helpers, count_ - 1); ++i) {
            try {
                threads.emplace_back([this] { work(); });
            } catch (const std::system_error&) {
                break;  // no thread to be had: the calling thread hashes the rest itself
            }
        }
        work();
        for (std::thread& t : threads)
            t.join();
        return !failed_.load();
    }

  private:
    void work() {
        try {
            PieceReader reader;
            Xxh3State hash(Xxh3State::Bits::b128);
            for (std::int64_t i = next_++; i < count_ && !failed_.load(); i = next_++) {
                XXH3_128bits_reset(hash.get());
                const std::int64_t from = start_ + i * chunk_;
                if (!reader.read(fd_, from, from + chunk_, [&](const char* p, std::size_t n) {
                        TARVIK_XXH3_128_UPDATE(hash.get(), p, n);
                    }))
                    failed_ = true;
                out_[i] = XXH3_128bits_digest(hash.get());
            }
        } catch (const std::bad_alloc&) {
            failed_ = true;
        }
    }

    const int fd_;
    const std::int64_t start_;
    const std::int64_t chunk_;
    XXH128_hash_t* const out_;
    const std::int64_t count_;
    std::atomic<std::int64_t> next_{0};
    std::atomic<bool> failed_{false};
};

}  // namespace

struct ContentHash::State {
    explicit State(std::int64_t chunk_bytes) : chunk(std::max<std::int64_t>(chunk_bytes, 1)) {}

    std::int64_t chunk;
    std::vector<XXH128_hash_t> whole;          // the hashes of the chunks completed so far
    Xxh3State current{Xxh3State::Bits::b128};  // the chunk being added to
    std::int64_t in_current = 0;               // its bytes so far

    std::int64_t room() const { return chunk - in_current; }
    void take(const char* data, std::size_t size) {
        while (size > 0) {
            const auto part = std::min(size, static_cast<std::size_t>(room()));
            TARVIK_XXH3_128_UPDATE(current.get(), data, part);
            in_current += static_cast<std::int64_t>(part);
            data += part;
            size -= part;
            if (room() == 0) {
                whole.push_back(XXH3_128bits_digest(current.get()));
                XXH3_128bits_reset(current.get());
                in_current = 0;
            }
        }
    }
};

ContentHash::ContentHash(std::int64_t chunk) : state_(std::make_unique<State>(chunk)) {}

ContentHash::~ContentHash() = default;

void ContentHash::add(const char* data, std::size_t size) {
    state_->take(data, size);
}

bool ContentHash::add_from_file(int fd, std::int64_t from, std::int64_t to) {
    if (from >= to)
        return true;
    State& s = *state_;
    PieceReader reader;
    const auto take = [&s](const char* p, std::size_t n) { s.take(p, n); };
    // The chunk begun before, then the whole chunks (in parallel when there are several), then
    // the start of the last chunk.
    if (s.in_current > 0) {
        const std::int64_t end = std::min(to, from + s.room());
        if (!reader.read(fd, from, end, take))
            return false;
        from = end;
    }
    const std::int64_t whole = (to - from) / s.chunk;
    if (whole > 1) {
        const std::size_t first = s.whole.size();
        s.whole.resize(first + static_cast<std::size_t>(whole));
        if (!ParallelChunks(fd, from, s.chunk, s.whole.data() + first, whole).run()) {
            s.whole.resize(first);
            return false;
        }
        from += whole * s.chunk;
    }
    return reader.read(fd, from, to, take);
}

ContentDigest ContentHash::digest() const {
    // The chunks' hashes, then the hash of the chunk being added to and its length, so that
    // streams of different lengths never meet.
    struct Tail {
        XXH128_hash_t current;
        std::int64_t in_current;
    };
    Xxh3State all(Xxh3State::Bits::b128);
    if (!state_->whole.empty())
        TARVIK_XXH3_128_UPDATE(all.get(), state_->whole.data(),
                               state_->whole.size() * sizeof(XXH128_hash_t));
    const Tail tail{XXH3_128bits_digest(state_->current.get()), state_->in_current};
    TARVIK_XXH3_128_UPDATE(all.get(), &tail, sizeof tail);
    const XXH128_hash_t h = XXH3_128bits_digest(all.get());
    return {h.low64, h.high64};
}

}  // namespace tarvik
