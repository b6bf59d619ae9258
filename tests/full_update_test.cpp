// A full update of a file that has only grown parses only the new lines; it must leave exactly
// what reading the whole file again leaves, and anything but growth must be read again.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "curve_notices.h"
#include "data_file_reader.h"
#include "prompt_recorder.h"
#include "stored_values.h"
#include "tarvik_doc.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

using testing::PromptRecorder;
using testing::same;
using testing::TempDir;

// What a full re-read leaves: every field of the store, the times aside.
::testing::AssertionResult same_store(const LineContainer& a, const LineContainer& b) {
    auto fail = [] { return ::testing::AssertionFailure(); };
    if (a.count != b.count || a.lines_taken != b.lines_taken || a.x.size() != b.x.size() ||
        a.y.size() != b.y.size() || a.time.size() != b.time.size())
        return fail() << "count " << a.count << " vs " << b.count << ", lines_taken "
                      << a.lines_taken << " vs " << b.lines_taken;
    for (std::size_t i = 0; i < a.x.size(); ++i) {
        if (!same(a.x[i], b.x[i]) || !same(a.y[i], b.y[i]))
            return fail() << "point " << i;
    }
    if (a.x_range() != b.x_range() || a.y_range() != b.y_range())
        return fail() << "ranges";
    if (a.x_never_decreases() != b.x_never_decreases() ||
        a.finite_x_never_decrease() != b.finite_x_never_decrease())
        return fail() << "order of x";
    if ((a.block_summary() == nullptr) != (b.block_summary() == nullptr) ||
        (a.block_summary() && !(*a.block_summary() == *b.block_summary())))
        return fail() << "block summaries";
    const ResumePoint& r = a.resume;
    const ResumePoint& s = b.resume;
    if (r.valid != s.valid || r.way != s.way || r.device != s.device || r.inode != s.inode ||
        r.offset != s.offset || r.data_lines != s.data_lines || r.lines != s.lines ||
        r.fingerprint != s.fingerprint || r.exact != s.exact || !(r.content == s.content) ||
        r.points != s.points || r.size != s.size || r.modified != s.modified)
        return fail() << "resume points: offset " << r.offset << " vs " << s.offset << ", exact "
                      << r.exact << " vs " << s.exact;
    return ::testing::AssertionSuccess();
}

// Every point stamped with one time within [from, to].
::testing::AssertionResult stamped_once(const LineContainer& c, std::int64_t from,
                                        std::int64_t to) {
    if (c.time.empty())
        return ::testing::AssertionSuccess();
    const std::int64_t t = c.time.front();
    for (const std::int64_t stamp : c.time) {
        if (stamp != t)
            return ::testing::AssertionFailure() << "stamps " << t << " and " << stamp;
    }
    if (t < from || t > to)
        return ::testing::AssertionFailure() << "stamp " << t << " outside " << from << ".." << to;
    return ::testing::AssertionSuccess();
}

// Data lines of several kinds (comments, gap lines, carriage returns, a line that does not
// convert), numbered from `first`.
std::string data_lines(int first, int count, int salt = 0) {
    std::string s;
    for (int i = first; i < first + count; ++i) {
        if (i % 97 == 0)
            s += "NaN\n";
        else if (i % 50 == 0)
            s += "# note " + std::to_string(i) + "\n";
        else if (i % 41 == 0)
            s += "x " + std::to_string(i) + "\n";
        else
            s += std::to_string(i) + "," + std::to_string(std::sin(i * 0.1 + salt)) + "," +
                 std::to_string(i % 7) + (i % 13 ? "\n" : "\r\n");
    }
    return s;
}

// The file at the start of every case: a header, data, and a line still being written.
const std::string kStart = "# t y z\n" + data_lines(1, 3000) + "3001,0.5";

void append_to(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

void write_at(const std::string& path, std::int64_t offset, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, bytes.data(), bytes.size(), offset), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

// The byte at offset replaced by another.
void change_byte(const std::string& path, std::int64_t offset) {
    const char old = kStart[static_cast<std::size_t>(offset)];
    write_at(path, offset, std::string(1, old == '5' ? '6' : '5'));
}

void set_modified(const std::string& path, const struct timespec& t) {
    const struct timespec times[2] = {t, t};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// A last-write time long past: the file's own may not have moved since it was written.
constexpr struct timespec kLongAgo = {1000000000, 0};
constexpr struct timespec kLater = {1100000000, 0};

// The notices the document keeps for its only curve.
std::vector<DataNotice> notices_of(const CTarvikDoc& doc) {
    std::vector<DataNotice> notices;
    for (const CurveNotice& n : doc.notices().all())
        notices.push_back(n.notice);
    return notices;
}

FileSpec spec_of(const std::string& path, const CTarvikDoc& doc) {
    FileSpec spec;
    spec.file = path;
    spec.xcol = 0;
    spec.ycol = 1;
    spec.add_only = true;
    spec.time_unit = doc.time_unit();
    return spec;
}

class FullUpdateTest : public ::testing::Test {
  protected:
    void TearDown() override { EXPECT_TRUE(prompts_.prompts().empty()); }

    TempDir dir_;
    PromptRecorder prompts_;
};

TEST_F(FullUpdateTest, GrowthAloneIsReadFromWhereTheLastReadStopped) {
    // The offset of the unfinished line: where the first read stopped.
    const auto old_end = static_cast<std::int64_t>(kStart.rfind('\n') + 1);
    struct Case {
        const char* name;
        std::function<void(const std::string& path)> change;
        bool only_grown;
    };
    const Case cases[] = {
        {"lines appended, the unfinished one completed",
         [](const std::string& p) { append_to(p, "5\n" + data_lines(3002, 500)); }, true},
        {"nothing new (a forced update)", [](const std::string&) {}, true},
        {"an empty line and more lines appended (the read stops there)",
         [](const std::string& p) { append_to(p, "\n\n" + data_lines(3002, 5)); }, true},
        {"first byte changed",
         [](const std::string& p) {
             change_byte(p, 0);
             append_to(p, "\n");
         },
         false},
        {"a byte in the middle changed",
         [](const std::string& p) {
             change_byte(p, static_cast<std::int64_t>(kStart.size() / 2));
             append_to(p, "\n");
         },
         false},
        {"the last byte read changed",
         [old_end](const std::string& p) {
             write_at(p, old_end - 1, " ");
             append_to(p, "\n");
         },
         false},
        {"truncated and rewritten",
         [](const std::string& p) {
             ASSERT_EQ(::truncate(p.c_str(), 0), 0);
             append_to(p, "# t y z\n" + data_lines(1, 4000, 1));
         },
         false},
        {"replaced by a longer file with another beginning",
         [](const std::string& p) {
             std::filesystem::copy_file(p, p + ".new");
             write_at(p + ".new", 2, "u");
             append_to(p + ".new", "\n" + data_lines(5000, 300));
             std::filesystem::rename(p + ".new", p);
         },
         false},
        {"shrunk and grown back to the same size",
         [](const std::string& p) {
             ASSERT_EQ(::truncate(p.c_str(), 1000), 0);
             std::string rest = kStart.substr(1000);
             rest[rest.size() / 2] = rest[rest.size() / 2] == '1' ? '2' : '1';
             append_to(p, rest);
         },
         false},
        {"shrunk and grown back to the same bytes, then appended",
         [](const std::string& p) {
             ASSERT_EQ(::truncate(p.c_str(), 1000), 0);
             append_to(p, kStart.substr(1000) + "\n");
         },
         true},
        {"a new size under the old last-write time",
         [](const std::string& p) {
             append_to(p, "\n1,1\n");
             set_modified(p, kLongAgo);
         },
         false},
    };
    for (const Case& c : cases) {
        for (const int generations : {1, 11}) {
            SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(generations) + " generations");
            const std::string path = dir_.write("a.txt", kStart);
            set_modified(path, kLongAgo);
            CTarvikDoc doc;
            ASSERT_TRUE(doc.append_curve(path, 0, 1, "", false));
            ASSERT_TRUE(doc.resize_history(0, generations));
            // Updates of an unchanged file fill the generations.
            for (int i = 0; i < 3; ++i)
                doc.refresh_curve(0);
            // Stamps from long ago, which an update must not keep.
            doc.current_store(0).time.restamp(1000);
            const LineContainer before = doc.history(0).front();

            c.change(path);
            const std::int64_t from = calendar_now();
            doc.refresh_curve(0);
            LineContainer full;
            const std::vector<DataNotice> found = read_data_file(spec_of(path, doc), full);
            const std::int64_t to = calendar_now();

            LineContainer probe = before;
            const bool extended = extend_complete_read(spec_of(path, doc), probe).has_value();
            EXPECT_EQ(extended, c.only_grown);
            if (!extended) {
                EXPECT_TRUE(same_store(probe, before)) << "a refused update changes nothing";
            }

            const auto& h = doc.history(0);
            EXPECT_TRUE(same_store(h.front(), full));
            EXPECT_EQ(notices_of(doc), found);
            EXPECT_TRUE(stamped_once(h.front(), from, to));
            if (from == to) {
                EXPECT_EQ(h.front().time, full.time);
            }
            if (generations > 1) {
                EXPECT_EQ(h[0].x.shares_with(h[1].x), c.only_grown);
                EXPECT_TRUE(same_store(h[1], before)) << "the state before stays as it was";
                EXPECT_EQ(h[1].time, before.time);
            }

            // Whatever the change was, the next growth continues what it left, also a read
            // that stopped at an empty line.
            const LineContainer after_change = h.front();
            append_to(path, data_lines(7000, 20));
            set_modified(path, kLater);
            doc.refresh_curve(0);
            LineContainer again;
            const std::vector<DataNotice> found_again = read_data_file(spec_of(path, doc), again);
            EXPECT_TRUE(same_store(h.front(), again)) << "grown after the change";
            EXPECT_EQ(notices_of(doc), found_again) << "grown after the change";
            if (generations > 1) {
                EXPECT_TRUE(h[0].x.shares_with(h[1].x)) << "grown after the change";
                EXPECT_TRUE(same_store(h[1], after_change));
            }
        }
    }
}

// Files over the whole-read limit are read as a stream of lines and continued the same way; a
// file that grows past the limit changes the way of reading and is read anew.
TEST_F(FullUpdateTest, FilesOverTheLimitAreContinuedAsStreams) {
    const std::int64_t limit = kLargestFileReadWhole;
    const std::string path = dir_.write("big", "# h\n1 1\n2 2\n#");
    // The comment line's body is a hole up to 40 bytes below the limit.
    ASSERT_EQ(::truncate(path.c_str(), limit - 40), 0);
    append_to(path, "\n");
    set_modified(path, kLongAgo);
    CTarvikDoc doc;
    ASSERT_TRUE(doc.append_curve(path, 0, 1, "", false));
    ASSERT_TRUE(doc.resize_history(0, 2));
    struct Step {
        const char* name;
        std::function<void()> change;
        bool only_grown;
    };
    const Step steps[] = {
        {"grown within the limit", [&] { append_to(path, "3 3\n"); }, true},
        {"grown past the limit", [&] { append_to(path, data_lines(4, 20)); }, false},
        {"grown beyond the limit", [&] { append_to(path, "5 5\n6 6\n"); }, true},
        {"a byte of the head changed",
         [&] {
             write_at(path, 4, "7");
             append_to(path, "8 8\n");
         },
         false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        doc.current_store(0).time.restamp(1000);
        step.change();
        const std::int64_t from = calendar_now();
        doc.refresh_curve(0);
        LineContainer full;
        read_data_file(spec_of(path, doc), full);
        const std::int64_t to = calendar_now();
        const auto& h = doc.history(0);
        EXPECT_TRUE(same_store(h.front(), full));
        EXPECT_TRUE(stamped_once(h.front(), from, to));
        EXPECT_EQ(h[0].x.shares_with(h[1].x), step.only_grown);
    }
    EXPECT_EQ(doc.history(0).front().count, 26);
    EXPECT_EQ(doc.history(0).front().x.front(), 7.0);
}

// Elapsed-time x are measured from the moment of the read, so such a curve is always read
// anew.
TEST_F(FullUpdateTest, ElapsedTimeCurvesAreReadAnew) {
    const std::string path = dir_.write("t.txt", "1\n2\n");
    LineContainer c;
    FileSpec spec;
    spec.file = path;
    spec.xcol = -1;
    spec.ycol = 0;
    spec.add_only = true;
    read_data_file(spec, c);
    ASSERT_EQ(c.count, 2);
    append_to(path, "3\n");
    EXPECT_FALSE(extend_complete_read(spec, c));
    EXPECT_EQ(c.count, 2);
}

}  // namespace
}  // namespace tarvik
