#include "data_file_reader.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "content_hash.h"
#include "file_fingerprint.h"
#include "line_walk.h"
#include "mutex.h"
#include "page_aligned_buffer.h"
#include "prompt.h"
#include "termination.h"

namespace tarvik {

namespace {

constexpr std::size_t kStreamChunk = 1 << 20;

// An open file descriptor, closed at scope end.
class FileHandle {
  public:
    explicit FileHandle(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int fd() const { return fd_; }
    // True when the file opened and is no directory; st then describes it.
    bool examine(struct stat& st) const {
        return fd_ >= 0 && ::fstat(fd_, &st) == 0 && !S_ISDIR(st.st_mode);
    }
    void close() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

  private:
    int fd_;
};

// Reads up to `length` bytes at `position`; returns how many it got (fewer when the file was
// cut short meanwhile).
std::int64_t read_at(int fd, char* out, std::int64_t position, std::int64_t length) {
    std::int64_t got = 0;
    while (got < length) {
        const ssize_t n = ::pread(fd, out + got, static_cast<std::size_t>(length - got),
                                  static_cast<off_t>(position + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    return got;
}

// A resume point is used only for a new-lines-only read of the same file in the same way of
// reading whose bytes before the offset look as they did.
bool resume_usable(const FileSpec& spec, const LineContainer& c, ReadWay way, const struct stat& st,
                   int fd) {
    const ResumePoint& r = c.resume;
    return spec.add_only && r.valid && r.way == way &&
           r.device == static_cast<std::uint64_t>(st.st_dev) &&
           r.inode == static_cast<std::uint64_t>(st.st_ino) && r.offset <= st.st_size &&
           r.data_lines <= c.lines_taken && file_fingerprint(fd, r.offset) == r.fingerprint;
}

std::int64_t modified_ns(const struct stat& st) {
    return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

// Whether a full re-read may continue where the store's last complete read stopped: the store
// still holds exactly what that read gave, it was made the same way with the same columns, and
// the file's bytes before the offset are those read then, compared through a strong hash of
// all of them (never a sample). Elapsed-time x are measured from the read's moment, so those
// stores are always read anew. On success `hash` has taken the bytes before the offset.
bool only_grown(const FileSpec& spec, const LineContainer& c, ReadWay way, const struct stat& st,
                int fd, ContentHash& hash) {
    const ResumePoint& r = c.resume;
    if (!r.valid || !r.exact || r.way != way || spec.xcol == -1 || r.xcol != spec.xcol ||
        r.ycol != spec.ycol || r.points != c.count || r.data_lines != c.lines_taken ||
        st.st_size < r.offset)
        return false;
    // A producer that appends moves the last-write time; a new size under the old time is
    // something else.
    if (modified_ns(st) == r.modified && st.st_size != r.size)
        return false;
    return hash.add_from_file(fd, 0, r.offset) && hash.digest() == r.content;
}

// Records that the store holds exactly what reading the file from its start gave, up to the
// resume point's offset, whose bytes `hash` has taken.
void mark_exact(ResumePoint& r, const ContentHash& hash, const LineContainer& c,
                const FileSpec& spec, const struct stat& st) {
    r.exact = true;
    r.content = hash.digest();
    r.points = c.count;
    r.xcol = spec.xcol;
    r.ycol = spec.ycol;
    r.size = st.st_size;
    r.modified = modified_ns(st);
}

// A read from the file's start into an empty store takes exactly what a full read does.
bool starts_complete_read(const LineContainer& c, std::int64_t start) {
    return start == 0 && c.count == 0 && c.lines_taken == 0;
}

ResumePoint make_resume(ReadWay way, const struct stat& st, std::int64_t offset,
                        std::int64_t data_lines, std::uint64_t fingerprint) {
    ResumePoint r;
    r.valid = true;
    r.way = way;
    r.device = static_cast<std::uint64_t>(st.st_dev);
    r.inode = static_cast<std::uint64_t>(st.st_ino);
    r.offset = offset;
    r.data_lines = data_lines;
    r.fingerprint = fingerprint;
    return r;
}

// The bytes of one whole-file read. Large buffers ask for huge pages: a 100 MB file would
// otherwise take tens of thousands of page faults just to be copied in.
class ReadBuffer {
  public:
    explicit ReadBuffer(std::size_t size) : size_(size) {
        if (size >= kHugePage) {
            mapped_ = (size + kHugePage - 1) / kHugePage * kHugePage;
            void* p = ::mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                             -1, 0);
            if (p != MAP_FAILED) {
                ::madvise(p, mapped_, MADV_HUGEPAGE);
                data_ = static_cast<char*>(p);
                return;
            }
            mapped_ = 0;
        }
        heap_ = std::make_unique_for_overwrite<char[]>(size);
        data_ = heap_.get();
    }
    ~ReadBuffer() {
        if (mapped_)
            ::munmap(data_, mapped_);
    }
    ReadBuffer(const ReadBuffer&) = delete;
    ReadBuffer& operator=(const ReadBuffer&) = delete;

    char* data() { return data_; }
    std::size_t size() const { return size_; }

    // Gives the memory of whole huge pages below position back to the system; reading them
    // afterwards would give zeros. Small buffers keep everything.
    void release_before(std::size_t position) {
        const std::size_t end = position / kHugePage * kHugePage;
        if (mapped_ && end > released_) {
            ::madvise(data_ + released_, end - released_, MADV_DONTNEED);
            released_ = end;
        }
    }

  private:
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;
    std::size_t size_;
    std::size_t mapped_ = 0;
    std::size_t released_ = 0;
    std::unique_ptr<char[]> heap_;
    char* data_ = nullptr;
};

// Walks the lines of bytes[from, size) a slice at a time and lets go of what has been taken,
// so that the copy of a large file and the points made of it are never both held in full.
// With samples, the last mebibyte walked is kept and the fingerprint's blocks are copied out of
// what goes; without, everything walked may go. With a hash, the bytes walked are added to it.
// Returns the bytes walked from `from` on.
std::size_t walk_releasing(ReadBuffer& bytes, std::size_t from, std::size_t size, LineTaker& taker,
                           FingerprintSamples* samples, ContentHash* hash) {
    constexpr std::size_t kSlice = std::size_t{4} << 20;
    const char* const data = bytes.data();
    std::size_t position = from;
    while (position < size) {
        // The slice ends after a line feed, so that no line is cut; a line longer than a slice
        // makes the slice longer.
        std::size_t end = size;
        if (size - position > kSlice) {
            const void* nl = std::memchr(data + position + kSlice, '\n', size - position - kSlice);
            if (nl)
                end = static_cast<std::size_t>(static_cast<const char*>(nl) - data) + 1;
        }
        const std::size_t slice = end - position;
        const std::size_t walked = walk_lines(data + position, slice, taker);
        if (hash)
            hash->add(data + position, walked);
        position += walked;
        if (walked != slice)
            break;  // the walk ended at an empty line or an unfinished one
        std::size_t releasable = position;
        if (samples) {
            releasable = static_cast<std::size_t>(
                fingerprint_window_start(static_cast<std::int64_t>(position)));
            samples->keep(std::string_view(data, size), static_cast<std::int64_t>(releasable));
        }
        bytes.release_before(releasable);
    }
    return position - from;
}

// What a read is for: appending to the store (read_data_file), or continuing the store's last
// complete read when the file has only grown (extend_complete_read).
enum class Purpose { Append, Extend };

// Where a read's walk ended: the data lines of the file up to there and the empty line that
// ended it (0: none). Not examined: the file was not read at all.
struct WalkEnd {
    bool examined = false;
    std::int64_t data_lines = 0;
    std::int64_t empty_line = 0;
};

enum class WholeFileOutcome { Done, Declined, NotExtended };

// Copies the file (or, continuing, its new bytes) in one piece under the lock, then takes the
// lines without it. Declines files it cannot open and files over the size limit.
WholeFileOutcome read_whole_file(const FileSpec& spec, LineContainer& c, Purpose purpose,
                                 WalkEnd& end) {
    Lock lock(producer_mutex());
    FileHandle file(spec.file);
    struct stat st {};
    if (!file.examine(st)) {
        return WholeFileOutcome::Declined;
    }
    // Devices, pipes and sockets have no size and are read as empty.
    if (!S_ISREG(st.st_mode) || st.st_size == 0) {
        if (purpose == Purpose::Extend)
            return WholeFileOutcome::NotExtended;
        end = WalkEnd{true, 0, 0};
        return WholeFileOutcome::Done;
    }
    if (st.st_size > kLargestFileReadWhole)
        return WholeFileOutcome::Declined;

    ContentHash hash;
    const bool extending = purpose == Purpose::Extend;
    if (extending && !only_grown(spec, c, ReadWay::WholeFile, st, file.fd(), hash))
        return WholeFileOutcome::NotExtended;
    const bool resuming = extending || resume_usable(spec, c, ReadWay::WholeFile, st, file.fd());
    const std::int64_t start = resuming ? c.resume.offset : 0;
    const std::int64_t first_index = resuming ? c.resume.data_lines : 0;
    const std::int64_t first_line = resuming ? c.resume.lines : 0;
    const bool exact = extending || starts_complete_read(c, start);
    ReadBuffer bytes(static_cast<std::size_t>(st.st_size - start));
    const std::int64_t got = read_at(file.fd(), bytes.data(), start, st.st_size - start);
    const char* const data = bytes.data();

    // Resuming, the bytes before the offset are not in memory: fingerprint the next resume
    // point from the file while the lock still keeps it as copied.
    std::int64_t next_offset = 0;
    std::uint64_t next_fingerprint = 0;
    if (resuming) {
        next_offset = start + line_walk_extent(data, static_cast<std::size_t>(got), true);
        next_fingerprint = file_fingerprint(file.fd(), next_offset);
    }
    file.close();
    lock.release();

    // A full re-read stamps every point with the moment of the read.
    if (extending)
        c.time.restamp(calendar_now());
    const std::size_t skipped = start == 0 ? byte_order_mark_length(data, got) : 0;
    if (exact)
        hash.add(data, skipped);
    LineTaker taker(spec, c, ReadWay::WholeFile, first_index);
    taker.reserve_for(data, static_cast<std::size_t>(got), got);
    FingerprintSamples samples;
    const std::int64_t walked = start + static_cast<std::int64_t>(skipped) +
                                static_cast<std::int64_t>(walk_releasing(
                                    bytes, skipped, static_cast<std::size_t>(got), taker,
                                    resuming ? nullptr : &samples, exact ? &hash : nullptr));
    if (!resuming) {
        next_offset = walked;
        next_fingerprint = file_fingerprint(std::string_view(data, static_cast<std::size_t>(got)),
                                            next_offset, samples);
    }
    if (walked == next_offset) {
        c.resume =
            make_resume(ReadWay::WholeFile, st, next_offset, taker.data_lines(), next_fingerprint);
        c.resume.lines = first_line + taker.lines_walked();
        if (exact)
            mark_exact(c.resume, hash, c, spec, st);
    } else {
        c.resume = ResumePoint{};
    }
    end = WalkEnd{true, taker.data_lines(),
                  taker.stopped_at_empty_line() ? first_line + taker.lines_walked() + 1 : 0};
    return WholeFileOutcome::Done;
}

// Reads lines one chunk at a time; a line that spans chunks is gathered in `carry`. With a hash,
// every byte up to the end of the last line taken is added to it.
class ChunkedLines {
  public:
    ChunkedLines(LineTaker& taker, ContentHash* hash)
        : taker_(taker), hash_(hash), chunk_(kStreamChunk) {}

    // False when a byte that belongs in the hash could not be read again.
    bool hashed_all() const { return hashed_all_; }

    // Takes every complete line from fd's current position on. Returns the bytes up to the
    // end of the last complete line.
    std::int64_t run(int fd, bool at_file_start, std::int64_t expected_bytes) {
        start_ = ::lseek(fd, 0, SEEK_CUR);
        bytes_ = chunk_.landing_for(start_);
        std::int64_t position = 0;
        std::int64_t walked = 0;
        bool first = true;
        for (;;) {
            const ssize_t n = ::read(fd, bytes_, kStreamChunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            const char* p = bytes_;
            const char* const end = p + n;
            if (first) {
                if (at_file_start)
                    p += byte_order_mark_length(p, static_cast<std::int64_t>(n));
                taker_.reserve_for(p, static_cast<std::size_t>(end - p), expected_bytes);
                first = false;
            }
            while (p != end) {
                const char* nl = static_cast<const char*>(
                    std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
                if (!nl) {
                    gather(p, end);
                    break;
                }
                if (carrying_) {
                    gather(p, nl);
                    taker_.take(carry_.data(), carry_.data() + carry_.size());
                    carry_.clear();
                    carrying_ = false;
                    carry_has_nul_ = false;
                } else {
                    taker_.take(p, nl);
                }
                p = nl + 1;
                walked = position + (p - bytes_);
            }
            hash_to(fd, walked, position);
            position += n;
        }
        return walked;
    }

  private:
    // Adds the bytes up to `walked` (counted from where the run started) to the hash: those of
    // the chunk in hand from memory, those of a line begun in an earlier chunk from the file.
    void hash_to(int fd, std::int64_t walked, std::int64_t chunk_position) {
        if (!hash_ || walked <= hashed_)
            return;
        if (hashed_ < chunk_position) {
            hashed_all_ =
                hashed_all_ && hash_->add_from_file(fd, start_ + hashed_, start_ + chunk_position);
            hashed_ = chunk_position;
        }
        hash_->add(bytes_ + (hashed_ - chunk_position), static_cast<std::size_t>(walked - hashed_));
        hashed_ = walked;
    }

    // Text after a NUL byte is never scanned, so a line of binary junk costs no memory.
    void gather(const char* b, const char* e) {
        carrying_ = true;
        if (carry_has_nul_)
            return;
        if (const void* nul = std::memchr(b, '\0', static_cast<std::size_t>(e - b))) {
            e = static_cast<const char*>(nul) + 1;
            carry_has_nul_ = true;
        }
        carry_.append(b, e);
    }

    LineTaker& taker_;
    ContentHash* hash_;
    PageAlignedBuffer chunk_;
    char* bytes_ = nullptr;    // where in chunk_ each read lands
    std::int64_t start_ = 0;   // the file offset the run started at
    std::int64_t hashed_ = 0;  // bytes of the run added to the hash
    bool hashed_all_ = true;
    std::string carry_;
    bool carrying_ = false;
    bool carry_has_nul_ = false;
};

// Takes the lines from `start` (the file's position) on, continuing the store's resume point
// when `resuming`, and leaves the resume point after them. With a hash that holds the bytes
// before `start`, a store that then holds exactly what a complete read gives is marked so.
WalkEnd take_stream(const FileSpec& spec, LineContainer& c, int fd, const struct stat& st,
                    std::int64_t start, bool resuming, ContentHash* hash) {
    LineTaker taker(spec, c, ReadWay::LineStream, resuming ? c.resume.data_lines : 0);
    ChunkedLines lines(taker, hash);
    const std::int64_t walked = start + lines.run(fd, start == 0, st.st_size - start);
    const std::int64_t first_line = resuming ? c.resume.lines : 0;
    c.resume = make_resume(ReadWay::LineStream, st, walked, taker.data_lines(),
                           file_fingerprint(fd, walked));
    c.resume.lines = first_line + taker.lines_walked();
    if (hash && lines.hashed_all())
        mark_exact(c.resume, *hash, c, spec, st);
    return WalkEnd{true, taker.data_lines(), 0};
}

enum class StreamOutcome { Done, Retry };

// The way for files over the size limit, and the one that reports a file it cannot open. The
// lock is held until the last line has been taken, but never while the message box waits.
StreamOutcome read_line_stream(const FileSpec& spec, LineContainer& c, WalkEnd& end) {
    Lock lock(producer_mutex());
    FileHandle file(spec.file);
    struct stat st {};
    if (!file.examine(st)) {
        file.close();
        lock.release();
        const prompt::Button answer =
            prompt::show("IO error in opening file " + spec.file, prompt::kApplicationTitle,
                         prompt::Icon::None, prompt::Buttons::AbortRetryIgnore);
        if (answer == prompt::Button::Abort)
            terminate_process(3);
        return answer == prompt::Button::Retry ? StreamOutcome::Retry : StreamOutcome::Done;
    }
    if (!S_ISREG(st.st_mode)) {
        end = WalkEnd{true, 0, 0};
        return StreamOutcome::Done;
    }

    const bool resuming = resume_usable(spec, c, ReadWay::LineStream, st, file.fd());
    const std::int64_t start = resuming ? c.resume.offset : 0;
    if (::lseek(file.fd(), static_cast<off_t>(start), SEEK_SET) != static_cast<off_t>(start)) {
        return StreamOutcome::Done;
    }
    ContentHash hash;
    end = take_stream(spec, c, file.fd(), st, start, resuming,
                      starts_complete_read(c, start) ? &hash : nullptr);
    return StreamOutcome::Done;
}

// The continuation of a complete line-stream read of a file over the size limit that has only
// grown. False, with the store untouched, in every other case.
bool extend_line_stream(const FileSpec& spec, LineContainer& c, WalkEnd& end) {
    Lock lock(producer_mutex());
    FileHandle file(spec.file);
    struct stat st {};
    ContentHash hash;
    if (!file.examine(st) || !S_ISREG(st.st_mode) || st.st_size <= kLargestFileReadWhole ||
        !only_grown(spec, c, ReadWay::LineStream, st, file.fd(), hash))
        return false;
    const std::int64_t start = c.resume.offset;
    if (::lseek(file.fd(), static_cast<off_t>(start), SEEK_SET) != static_cast<off_t>(start))
        return false;
    c.time.restamp(calendar_now());
    end = take_stream(spec, c, file.fd(), st, start, true, &hash);
    return true;
}

// Why the data of a read stop or wait, from where its walk ended.
std::vector<DataNotice> notices_at(const FileSpec& spec, const LineContainer& container,
                                   const WalkEnd& end) {
    std::vector<DataNotice> notices;
    if (!end.examined)
        return notices;
    if (end.empty_line > 0)
        notices.push_back(DataNotice{DataNotice::Kind::EmptyLine, end.empty_line, 0});
    // Taking new lines only, a file that holds fewer data lines than were taken has shrunk or
    // been replaced: nothing is taken until it grows past them.
    if (spec.add_only && end.data_lines < container.lines_taken) {
        notices.push_back(
            DataNotice{DataNotice::Kind::WaitingToGrow, end.data_lines, container.lines_taken});
    }
    return notices;
}

}  // namespace

std::vector<DataNotice> read_data_file(const FileSpec& spec, LineContainer& container) {
    WalkEnd end;
    for (;;) {
        if (read_whole_file(spec, container, Purpose::Append, end) == WholeFileOutcome::Done)
            break;
        if (read_line_stream(spec, container, end) == StreamOutcome::Done)
            break;
        // Retry: start over, so a file that appeared meanwhile is read the normal way.
    }
    return notices_at(spec, container, end);
}

std::optional<std::vector<DataNotice>> extend_complete_read(const FileSpec& spec,
                                                            LineContainer& container) {
    if (!container.resume.valid || !container.resume.exact)
        return std::nullopt;
    WalkEnd end;
    switch (read_whole_file(spec, container, Purpose::Extend, end)) {
        case WholeFileOutcome::Done:
            return notices_at(spec, container, end);
        case WholeFileOutcome::NotExtended:
            return std::nullopt;
        case WholeFileOutcome::Declined:
            break;
    }
    if (!extend_line_stream(spec, container, end))
        return std::nullopt;
    return notices_at(spec, container, end);
}

}  // namespace tarvik
