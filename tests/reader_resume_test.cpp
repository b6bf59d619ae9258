// A new-lines-only read that continues where the previous one stopped must take exactly what a
// read that walks the whole file again takes, however the file changed in between.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "data_file_reader.h"
#include "file_fingerprint.h"
#include "prompt_recorder.h"
#include "stored_values.h"
#include "temp_dir.h"

namespace {

using tarvik::FileSpec;
using tarvik::LineContainer;
using tarvik::testing::PromptRecorder;
using tarvik::testing::TempDir;

using tarvik::testing::num;
using tarvik::testing::same;

// Compares what two reads took: points (NaN-aware), count and lines_taken.
::testing::AssertionResult same_taken(const LineContainer& a, const LineContainer& b) {
    if (a.count != b.count || a.lines_taken != b.lines_taken || a.x.size() != b.x.size() ||
        a.y.size() != b.y.size()) {
        return ::testing::AssertionFailure()
               << "count " << a.count << " vs " << b.count << ", lines_taken " << a.lines_taken
               << " vs " << b.lines_taken << ", sizes " << a.x.size() << "/" << a.y.size() << " vs "
               << b.x.size() << "/" << b.y.size();
    }
    for (std::size_t i = 0; i < a.x.size(); ++i) {
        if (!same(a.x[i], b.x[i]) || !same(a.y[i], b.y[i])) {
            return ::testing::AssertionFailure()
                   << "point " << i << ": (" << num(a.x[i]) << ", " << num(a.y[i]) << ") vs ("
                   << num(b.x[i]) << ", " << num(b.y[i]) << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

FileSpec spec_for(const std::string& path, int xcol, int ycol, bool add_only) {
    FileSpec s;
    s.file = path;
    s.xcol = static_cast<std::int16_t>(xcol);
    s.ycol = static_cast<std::int16_t>(ycol);
    s.add_only = add_only;
    return s;
}

// Writes bytes at an offset without truncating (a rewrite in place keeps the inode).
void write_at(const std::string& path, std::int64_t offset, const std::string& bytes,
              bool truncate_first) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | (truncate_first ? O_TRUNC : 0), 0644);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(::pwrite(fd, bytes.data(), bytes.size(), offset), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

// Random data lines of the kinds producers and people write, each ended by LF or CR LF.
class LineMaker {
  public:
    explicit LineMaker(std::uint32_t seed) : rng_(seed) {}

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(int percent) { return pick(100) < percent; }

    std::string number() {
        switch (pick(4)) {
            case 0:
                return std::to_string(pick(2000) - 1000);
            case 1:
                return std::to_string(pick(1000)) + "." + std::to_string(pick(1000));
            case 2:
                return std::to_string(pick(9) + 1) + "e" + std::to_string(pick(20) - 10);
            default:
                return "-." + std::to_string(pick(100));
        }
    }

    std::string body() {
        if (pick(1000) < 3)
            return "";  // rare: the whole-file read stops here
        const int kind = pick(100);
        std::string s;
        if (kind < 60) {
            static const char* const seps[] = {" ", ",", "\t", ", ", " , "};
            s = number();
            const int fields = 1 + pick(4);
            for (int i = 0; i < fields; ++i) {
                s += seps[pick(5)];
                s += number();
            }
        } else if (kind < 68) {
            s = "# comment " + std::to_string(pick(100));
        } else if (kind < 73) {
            s = "NaN";
        } else if (kind < 77) {
            s = "nan ";
            s += number();
        } else if (kind < 82) {
            s = "x ";
            s += number();
        } else if (kind < 86) {
            s = number();
        } else if (kind < 90) {
            s = ",";
            s += number() + "," + number();
        } else if (kind < 93) {
            s.push_back('\0');
            s += number();
        } else if (kind < 96) {
            s = "\r";
        } else {
            s = number() + ",," + number();
        }
        return s;
    }

    std::string line() { return body() + (chance(20) ? "\r\n" : "\n"); }

    std::string lines(int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += line();
        return s;
    }

    // Same length, some bytes replaced: values change, and sometimes where lines end.
    void mutate(std::string& s) {
        static const char alphabet[] = "0123456789 ,#\n\r.-xN";
        const int n = 1 + pick(3);
        for (int i = 0; i < n && !s.empty(); ++i) {
            s[static_cast<std::size_t>(pick(static_cast<int>(s.size())))] =
                alphabet[pick(static_cast<int>(sizeof alphabet) - 1)];
        }
    }

  private:
    std::mt19937 rng_;
};

class ResumeTest : public ::testing::Test {
  protected:
    void TearDown() override { EXPECT_TRUE(prompts_.prompts().empty()); }

    TempDir dir_;
    PromptRecorder prompts_;
};

// One file changed at random, one step at a time, in the ways producers and people change
// files. Steps that change no file ("clear", "read everything again", "no change") are for the
// reader to act on.
class EvolvingFile {
  public:
    EvolvingFile(LineMaker& make, std::string path)
        : make_(make), path_(std::move(path)), content_("# head\n" + make.lines(3)) {
        write_at(path_, 0, content_, true);
    }
    const std::string& path() const { return path_; }
    std::size_t size() const { return content_.size(); }

    std::string step() {
        const int what = make_.pick(100);
        if (what < 50) {
            std::string add = pending_;
            pending_.clear();
            add += make_.lines(make_.pick(7));
            if (make_.chance(20)) {
                const std::string half = make_.line();
                const std::size_t cut =
                    static_cast<std::size_t>(make_.pick(static_cast<int>(half.size())));
                add += half.substr(0, cut);
                pending_ = half.substr(cut);
            }
            write_at(path_, static_cast<std::int64_t>(content_.size()), add, false);
            content_ += add;
            return "append";
        }
        if (what < 58) {
            write_at(path_, static_cast<std::int64_t>(content_.size()), pending_, false);
            content_ += pending_;
            pending_.clear();
            return "complete the half line";
        }
        if (what < 64) {
            // Rewrite in place: shorter, about the same, or longer.
            const std::size_t old = content_.size();
            content_ = (make_.chance(15) ? "\xEF\xBB\xBF" : "") +
                       make_.lines(make_.pick(static_cast<int>(old / 8) + 3));
            write_at(path_, 0, content_, true);
            pending_.clear();
            return "rewrite in place";
        }
        if (what < 70) {
            make_.mutate(content_);
            write_at(path_, 0, content_, false);
            return "same length, bytes changed";
        }
        if (what < 75) {
            content_ = make_.lines(make_.pick(30));
            const std::string fresh = path_ + ".new";
            write_at(fresh, 0, content_, true);
            std::filesystem::rename(fresh, path_);
            pending_.clear();
            return "replace by rename";
        }
        if (what < 77) {
            content_.clear();
            write_at(path_, 0, "", true);
            pending_.clear();
            return "truncate to 0";
        }
        if (what < 83)
            return "clear";
        if (what < 86)
            return "read everything again";
        return "no change";
    }

  private:
    LineMaker& make_;
    std::string path_;
    std::string content_;
    std::string pending_;  // second half of a line written halfway
};

// Evolves one file at random and after every step reads it into A, which keeps its resume
// point, and into B, which is made to walk the whole file; they must take the same.
TEST_F(ResumeTest, IncrementalReadEqualsFullWalk) {
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        LineMaker make(seed);
        EvolvingFile file(make, dir_.file("data" + std::to_string(seed)));
        const int xcol = static_cast<int>(seed % 3);  // 0/1, 1/1, 2/1: both modes
        const int ycol = 1;
        LineContainer a;
        LineContainer b;
        int taken = 0;
        for (int step = 0; step < 300; ++step) {
            const std::string last_step = file.step();
            if (last_step == "clear") {
                a.clear();
                b.clear();
            }
            const bool add_only = last_step != "read everything again";
            const std::int32_t before = a.count;
            tarvik::read_data_file(spec_for(file.path(), xcol, ycol, add_only), a);
            b.resume = {};
            tarvik::read_data_file(spec_for(file.path(), xcol, ycol, add_only), b);
            ASSERT_TRUE(same_taken(a, b))
                << "step " << step << " (" << last_step << "), file of " << file.size() << " bytes";
            taken += std::max(0, a.count - before);
        }
        RecordProperty("points_taken_seed_" + std::to_string(seed), taken);
    }
}

// The same evolution read as full updates do: A continues its last complete read when the
// file has only grown and reads everything again otherwise, B always reads everything. They
// must hold the same points and the same resume point, and A must have continued after most
// appends.
TEST_F(ResumeTest, ContinuedFullReadEqualsReadingEverything) {
    for (std::uint32_t seed = 21; seed <= 28; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        LineMaker make(seed);
        EvolvingFile file(make, dir_.file("full" + std::to_string(seed)));
        const FileSpec spec = spec_for(file.path(), static_cast<int>(seed % 3), 1, true);
        LineContainer a;
        tarvik::read_data_file(spec, a);
        int continued = 0;
        int appends = 0;
        for (int step = 0; step < 300; ++step) {
            const std::string last_step = file.step();
            appends += last_step == "append" ? 1 : 0;
            std::vector<tarvik::DataNotice> notices;
            if (auto extended = tarvik::extend_complete_read(spec, a)) {
                ++continued;
                notices = *extended;
            } else {
                a.clear();
                notices = tarvik::read_data_file(spec, a);
            }
            LineContainer b;
            ASSERT_EQ(notices, tarvik::read_data_file(spec, b)) << "step " << step;
            ASSERT_TRUE(same_taken(a, b)) << "step " << step << " (" << last_step << ")";
            ASSERT_EQ(a.resume.offset, b.resume.offset) << "step " << step;
            ASSERT_EQ(a.resume.lines, b.resume.lines) << "step " << step;
            ASSERT_EQ(a.resume.exact, b.resume.exact) << "step " << step;
            ASSERT_TRUE(a.resume.content == b.resume.content) << "step " << step;
        }
        EXPECT_GE(continued, appends / 2);
        RecordProperty("continued_" + std::to_string(seed),
                       std::to_string(continued) + " of " + std::to_string(appends));
    }
}

// Changes that keep the file's length but move where lines end, far from its start and end:
// the lines before the resume point are then counted differently by a full walk.
TEST_F(ResumeTest, SameLengthChangeInsideALargeFileIsNoticed) {
    std::string content;
    for (int i = 0; i < 50000; ++i)
        content += std::to_string(i) + " " + std::to_string(i) + "\n";
    const std::string path = dir_.file("large");
    struct Change {
        const char* what;
        std::size_t at;
        char byte;
    };
    const std::size_t middle = content.find('\n', content.size() / 2);
    const std::size_t third = content.find('\n', content.size() / 3) + 1;
    for (const Change& change :
         {Change{"two lines joined", middle, ' '}, Change{"data line made a comment", third, '#'},
          Change{"line split", middle - 2, '\n'}}) {
        SCOPED_TRACE(change.what);
        write_at(path, 0, content, true);
        LineContainer a;
        tarvik::read_data_file(spec_for(path, 0, 1, true), a);
        ASSERT_EQ(a.lines_taken, 50000);

        LineContainer b = a;
        b.resume = {};
        write_at(path, static_cast<std::int64_t>(change.at), std::string(1, change.byte), false);
        write_at(path, static_cast<std::int64_t>(content.size()), "-1 -1\n-2 -2\n", false);
        tarvik::read_data_file(spec_for(path, 0, 1, true), a);
        tarvik::read_data_file(spec_for(path, 0, 1, true), b);
        EXPECT_TRUE(same_taken(a, b));
    }
}

// A large file is walked in slices and the copy of what has been taken is let go on the way:
// the points and the resume point must still be those of one walk over the whole copy.
TEST_F(ResumeTest, LargeReadThatLetsGoOfItsCopyTakesEveryLineOnce) {
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    // Appends data lines numbered on from `next` until the text is `size` bytes long.
    auto data_lines = [](std::string& text, std::size_t size, int& next) {
        while (text.size() < size)
            text += std::to_string(next++) + " 5\n";
    };
    struct Case {
        const char* what;
        std::string content;
        int points;
        std::size_t offset;  // where the read stops
    };
    std::vector<Case> cases;
    {
        Case c{"short lines", "", 0, 0};
        data_lines(c.content, 12 * kMiB, c.points);
        c.offset = c.content.size();
        cases.push_back(c);
    }
    {
        Case c{"a comment longer than a slice, then an unfinished line", "", 0, 0};
        data_lines(c.content, 3 * kMiB, c.points);
        c.content += "#" + std::string(6 * kMiB, 'x') + "\n";
        data_lines(c.content, 11 * kMiB, c.points);
        c.offset = c.content.size();
        c.content += "7 7";
        cases.push_back(c);
    }
    {
        Case c{"an empty line ends the read", "", 0, 0};
        data_lines(c.content, 9 * kMiB, c.points);
        c.offset = c.content.size();
        c.content += "\n";
        int ignored = 0;
        data_lines(c.content, 13 * kMiB, ignored);
        cases.push_back(c);
    }
    const std::string path = dir_.file("large");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write_at(path, 0, c.content, true);
        LineContainer taken;
        tarvik::read_data_file(spec_for(path, 0, 1, true), taken);
        ASSERT_EQ(taken.count, c.points);
        EXPECT_EQ(taken.x.back(), c.points - 1);
        ASSERT_TRUE(taken.resume.valid);
        EXPECT_EQ(taken.resume.offset, static_cast<std::int64_t>(c.offset));
        const int fd = ::open(path.c_str(), O_RDONLY);
        EXPECT_EQ(taken.resume.fingerprint, tarvik::file_fingerprint(fd, taken.resume.offset));
        ::close(fd);
    }
}

// The resume point belongs to one file: reading another file into the same container walks it.
TEST_F(ResumeTest, ResumePointIsTiedToItsFile) {
    const std::string first = dir_.file("first");
    const std::string second = dir_.file("second");
    write_at(first, 0, "# f\n1 1\n2 2\n3 3\n", true);
    write_at(second, 0, "10 10\n#\n#\n11 11\n12 12\n13 13\n14 14\n", true);
    LineContainer a;
    tarvik::read_data_file(spec_for(first, 0, 1, true), a);
    tarvik::read_data_file(spec_for(second, 0, 1, true), a);
    LineContainer b;
    tarvik::read_data_file(spec_for(first, 0, 1, true), b);
    b.resume = {};
    tarvik::read_data_file(spec_for(second, 0, 1, true), b);
    EXPECT_TRUE(same_taken(a, b));
    EXPECT_EQ(a.count, 5);
    EXPECT_EQ(a.lines_taken, 5);
}

// A file over the limit is read as a line stream; replacing it, shrinking it below the limit
// and growing it again must each be noticed by the new-lines-only read.
TEST_F(ResumeTest, LineStreamFileReplacedShrunkAndGrown) {
    const std::int64_t limit = tarvik::kLargestFileReadWhole;
    const std::string path = dir_.file("big");
    // Writes head, a comment line with a hole up to just over the limit, then tail.
    const auto write_big = [limit](const std::string& to, const std::string& head,
                                   const std::string& tail) {
        write_at(to, 0, head + "#", true);
        ASSERT_EQ(::truncate(to.c_str(), limit), 0);
        write_at(to, limit, "\n" + tail, false);
    };
    LineContainer a;
    LineContainer b;
    const auto read_both = [&](const char* step) {
        tarvik::read_data_file(spec_for(path, 0, 1, true), a);
        b.resume = {};
        tarvik::read_data_file(spec_for(path, 0, 1, true), b);
        EXPECT_TRUE(same_taken(a, b)) << step;
    };

    write_big(path, "1 1\n2 2\n", "3 3\n");
    read_both("first read");
    EXPECT_EQ(a.lines_taken, 3);
    write_at(path, limit + 5, "4 4\n", false);
    read_both("appended");
    EXPECT_EQ(a.count, 4);

    write_big(path + ".new", "#\n#\n9 9\n", "8 8\n7 7\n6 6\n5 5\n");
    std::filesystem::rename(path + ".new", path);
    read_both("replaced by rename");
    EXPECT_EQ(a.count, 5);

    write_at(path, 0, "1 1\nx\n", true);
    read_both("shrunk below the limit");
    write_big(path, "#\n1 1\nx\n", "2 2\n3 3\n4 4\n5 5\n6 6\n");
    read_both("grown in place past the limit");
    EXPECT_EQ(a.count, 7);  // 7 data lines, 5 of them taken before
}

// Growing a file one line at a time, sometimes half a line per write, must end with the same
// points as one read of the final file.
TEST_F(ResumeTest, AppendedLineByLineEqualsOneRead) {
    LineMaker make(42);
    const std::string path = dir_.file("grow");
    write_at(path, 0, "# t x y\n", true);
    std::int64_t size = 8;
    LineContainer a;
    std::string pending;
    for (int i = 0; i < 20000; ++i) {
        std::string add = pending;
        pending.clear();
        std::string line = std::to_string(i) + " " + make.number() + (i % 7 ? "\n" : "\r\n");
        if (i % 97 == 0)
            line = "NaN\n";
        if (i % 5 == 0) {
            const std::size_t cut = line.size() / 2;
            pending = line.substr(cut);
            line.resize(cut);
        }
        add += line;
        write_at(path, size, add, false);
        size += static_cast<std::int64_t>(add.size());
        tarvik::read_data_file(spec_for(path, 0, 1, true), a);
    }
    write_at(path, size, pending, false);
    tarvik::read_data_file(spec_for(path, 0, 1, true), a);

    LineContainer once;
    tarvik::read_data_file(spec_for(path, 0, 1, false), once);
    EXPECT_EQ(once.lines_taken, 20000);
    EXPECT_TRUE(same_taken(a, once));
}

// A file that grows past the size limit changes from the whole-file read to the line-stream
// read; the new-lines-only read must follow without losing or repeating lines.
TEST_F(ResumeTest, GrowingPastTheLimitSwitchesTheWayOfReading) {
    const auto started = std::chrono::steady_clock::now();
    const std::int64_t limit = tarvik::kLargestFileReadWhole;
    // The whole-file read stops at the empty line; the line-stream read goes on past it.
    const std::string head = "# head\n1 1\n2,2\n\n3 3\n";
    const std::string path = dir_.file("big");
    // The head, then a comment line whose body is a hole, ending 26 bytes below the limit.
    write_at(path, 0, head + "#", true);
    ASSERT_EQ(::truncate(path.c_str(), limit - 27), 0);
    write_at(path, limit - 27, "\n", false);
    std::int64_t size = limit - 26;

    LineContainer a;
    LineContainer b;
    for (int i = 0; i < 10; ++i) {
        // Lines of 6 bytes; the fifth is written in two parts across the limit.
        const std::string line = std::to_string(10 + i) + ",-" + std::to_string(i) + "\n";
        if (i == 4) {
            write_at(path, size, line.substr(0, 3), false);
            tarvik::read_data_file(spec_for(path, 0, 1, true), a);
            b.resume = {};
            tarvik::read_data_file(spec_for(path, 0, 1, true), b);
            ASSERT_TRUE(same_taken(a, b)) << "half line at " << size;
            write_at(path, size + 3, line.substr(3), false);
        } else {
            write_at(path, size, line, false);
        }
        size += 6;
        tarvik::read_data_file(spec_for(path, 0, 1, true), a);
        b.resume = {};
        tarvik::read_data_file(spec_for(path, 0, 1, true), b);
        ASSERT_TRUE(same_taken(a, b)) << "after line " << i << ", file of " << size << " bytes";
        EXPECT_EQ(a.lines_taken, size > limit ? 4 + i + 1 : 2) << "file of " << size << " bytes";
    }
    ASSERT_GT(size, limit);
    LineContainer once;
    tarvik::read_data_file(spec_for(path, 0, 1, false), once);
    EXPECT_TRUE(same_taken(a, once));
    ASSERT_EQ(a.count, 13);
    EXPECT_EQ(a.x[2], 3.0);
    EXPECT_EQ(a.x[12], 19.0);
    EXPECT_EQ(a.y[12], -9.0);
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    RecordProperty("seconds", std::to_string(seconds));
}

}  // namespace
