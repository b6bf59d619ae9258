// Black-box tests of the data file reader: the line grammar, comma preparation, gap lines,
// comments, the two ways of reading and the choice between them, elapsed time, open failures.
#include "data_file_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "mutex.h"
#include "prompt_recorder.h"
#include "stored_values.h"
#include "temp_dir.h"
#include "termination.h"

namespace {

using namespace std::string_literals;
using tarvik::FileSpec;
using tarvik::LineContainer;
using tarvik::testing::PromptRecorder;
using tarvik::testing::TempDir;
namespace prompt = tarvik::prompt;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int64_t kLimit = tarvik::kLargestFileReadWhole;

struct Pt {
    double x;
    double y;
};
using Expected = std::optional<Pt>;
constexpr Expected kNone = std::nullopt;
Expected P(double x, double y) {
    return Pt{x, y};
}
Expected Gap() {
    return Pt{kNaN, kNaN};
}

using tarvik::testing::num;
using tarvik::testing::same;

std::string describe(const std::vector<Pt>& pts) {
    std::string s;
    for (const Pt& p : pts)
        s += " (" + num(p.x) + ", " + num(p.y) + ")";
    return s.empty() ? " none" : s;
}

std::vector<Pt> points_of(const LineContainer& c) {
    std::vector<Pt> pts;
    for (std::size_t i = 0; i < c.x.size() && i < c.y.size(); ++i)
        pts.push_back({c.x[i], c.y[i]});
    return pts;
}

::testing::AssertionResult has_points(const LineContainer& c, const std::vector<Pt>& want) {
    const std::vector<Pt> got = points_of(c);
    if (c.count < 0 || static_cast<std::size_t>(c.count) != c.x.size() ||
        c.x.size() != c.y.size() || c.x.size() != c.time.size()) {
        return ::testing::AssertionFailure()
               << "inconsistent sizes: count " << c.count << ", x " << c.x.size() << ", y "
               << c.y.size() << ", time " << c.time.size();
    }
    bool ok = got.size() == want.size();
    for (std::size_t i = 0; ok && i < got.size(); ++i) {
        ok = same(got[i].x, want[i].x) && same(got[i].y, want[i].y);
    }
    if (ok)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected" << describe(want) << "\n     got" << describe(got);
}

FileSpec spec_for(const std::string& path, int xcol, int ycol, bool add_only = false,
                  int time_unit = 0) {
    FileSpec s;
    s.file = path;
    s.xcol = static_cast<std::int16_t>(xcol);
    s.ycol = static_cast<std::int16_t>(ycol);
    s.add_only = add_only;
    s.time_unit = tarvik::to_time_unit(time_unit);
    return s;
}

// Turns the file into one of exactly `total` bytes by appending a comment line whose body is
// a hole (reads as NULs, takes no disk space): the lines before it are unchanged, and a file
// over the limit goes to the line-stream read.
void pad_with_comment(const std::string& path, std::int64_t total) {
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0) << path;
    struct stat st {};
    ASSERT_EQ(::fstat(fd, &st), 0);
    ASSERT_LE(st.st_size + 2, total);
    ASSERT_EQ(::pwrite(fd, "#", 1, st.st_size), 1);
    ASSERT_EQ(::ftruncate(fd, total - 1), 0);
    ASSERT_EQ(::pwrite(fd, "\n", 1, total - 1), 1);
    ::close(fd);
}

enum class Way { WholeFile, LineStream };

std::string way_name(const ::testing::TestParamInfo<Way>& info) {
    return info.param == Way::WholeFile ? "WholeFile" : "LineStream";
}

// Tries the producer lock from another thread, as another process would; returns the wait
// result (0 when it was free).
std::uint32_t try_producer_lock_elsewhere() {
    std::uint32_t result = tarvik::kWaitFailed;
    std::thread t([&result] {
        tarvik::Mutex m(tarvik::kProducerMutexName, 2000);
        m.aquire();
        result = m.wait_return_code();
        if (result == tarvik::kWaitObject0 || result == tarvik::kWaitAbandoned)
            m.release();
    });
    t.join();
    return result;
}

class ReaderTest : public ::testing::Test {
  protected:
    void TearDown() override {
        if (expect_no_prompts_) {
            EXPECT_TRUE(prompts_.prompts().empty())
                << "unexpected box: " << prompts_.prompts().front().text;
        }
    }

    static void read(LineContainer& c, const std::string& path, int xcol, int ycol,
                     bool add_only = false, int time_unit = 0) {
        tarvik::read_data_file(spec_for(path, xcol, ycol, add_only, time_unit), c);
    }
    static LineContainer read(const std::string& path, int xcol, int ycol) {
        LineContainer c;
        read(c, path, xcol, ycol);
        return c;
    }

    TempDir dir_;
    PromptRecorder prompts_;
    bool expect_no_prompts_ = true;
};

// Runs the same test through both ways of reading: a line-stream file is the same text padded
// past the limit with a trailing comment line, so appending to it still adds lines.
class BothWays : public ReaderTest, public ::testing::WithParamInterface<Way> {
  protected:
    std::string write(const std::string& name, const std::string& content) {
        const std::string path = dir_.write(name, content);
        if (GetParam() == Way::LineStream) {
            EXPECT_TRUE(content.empty() || content.back() == '\n') << "padding would join a line";
            pad_with_comment(path, kLimit + 1);
        }
        return path;
    }
};

INSTANTIATE_TEST_SUITE_P(Reader, BothWays, ::testing::Values(Way::WholeFile, Way::LineStream),
                         way_name);

// ---------------------------------------------------------------------------------------------
// Line grammar and comma preparation: one table, read both ways. In one-value mode the x of a
// point is the line's data-line index, filled in when the table is run.

constexpr double kIndex = -777.0;

struct LineCase {
    int xcol;
    int ycol;
    std::string line;
    Expected point;
};

const std::vector<LineCase>& line_cases() {
    static const std::vector<LineCase> cases = {
        // Blanks, tabs and the other C white space separate fields.
        {0, 1, "1 2", P(1, 2)},
        {0, 1, "  1\t2  ", P(1, 2)},
        {0, 1, "1\t\v\f2", P(1, 2)},
        {0, 1, "1\r2", P(1, 2)},
        {0, 1, "1 2 3", P(1, 2)},
        {0, 1, "1 2 anything, at all", P(1, 2)},
        // Number forms.
        {0, 1, "-3.5 +4.25", P(-3.5, 4.25)},
        {0, 1, ".5 5.", P(0.5, 5)},
        {0, 1, "1e3 2E-2", P(1000, 0.02)},
        {0, 1, "1.5e+2 -.5e1", P(150, -5)},
        {0, 1, "0001 007", P(1, 7)},
        {0, 1, "-0 1", P(-0.0, 1)},
        {0, 1, "0.1 0.7", P(0.1, 0.7)},
        {0, 1, "123456789012345678901234567890 1", P(123456789012345678901234567890.0, 1)},
        // Correct rounding, underflow and overflow as strtod does them.
        {0, 1, "9007199254740993 1", P(9007199254740992.0, 1)},
        {0, 1, "1.00000000000000011102230246251565404236316680908203125 1", P(1, 1)},
        {0, 1, "1.000000000000000111022302462515654042363166809082031250001 1",
         P(1.0000000000000002, 1)},
        {0, 1, "4.9e-324 1", P(std::numeric_limits<double>::denorm_min(), 1)},
        {0, 1, "1e-400 2", P(0, 2)},
        {0, 1, "1.7976931348623157e308 1", P(std::numeric_limits<double>::max(), 1)},
        {0, 1, "1.7976931348623159e308 1", P(kInf, 1)},
        {0, 1, "1e400 2", P(kInf, 2)},
        {0, 1, "-1e400 2", P(-kInf, 2)},
        // Not numbers: words, lone signs and points, hex, too few fields.
        {0, 1, "1", kNone},
        {0, 1, "1 ", kNone},
        {0, 1, "X 2", kNone},
        {0, 1, "1 x", kNone},
        {0, 1, "a 1 2", kNone},
        {0, 1, "+ 1 2", kNone},
        {0, 1, "- 1 2", kNone},
        {0, 1, ". 1 2", kNone},
        {0, 1, "1 .e5", kNone},
        {0, 1, "e5 1", kNone},
        {0, 1, "inf 1", kNone},
        {0, 1, "-inf 1", kNone},
        {0, 1, "Inf 1", kNone},
        {0, 1, "infinity 2", kNone},
        {0, 1, "1 inf", kNone},
        {0, 1, "1 nan", kNone},
        {0, 1, "NAN 1", kNone},
        {0, 1, "Nan 1", kNone},
        {0, 1, "1;2", kNone},
        // Text glued to a number is left for the next conversion.
        {0, 1, "1.5abc 2", kNone},
        {0, 2, "1.5abc 7 9", P(1.5, 7)},
        {0, 1, "0x10 2", kNone},
        {0, 2, "0x10 7 9", P(0, 7)},
        {0, 0, "0x10", P(kIndex, 0)},
        {0, 1, "1e 2", kNone},
        {0, 2, "1e 7 9", P(1, 7)},
        {0, 2, "2E+ 7 9", P(2, 7)},
        {0, 1, "1 2e", P(1, 2)},
        {0, 1, "1 2E+", P(1, 2)},
        {0, 1, "1 2e-", P(1, 2)},
        {0, 1, "1 2e+x", P(1, 2)},
        // Commas and placeholders.
        {0, 1, "1,2", P(1, 2)},
        {0, 1, "1, 2", P(1, 2)},
        {0, 1, "1 ,2", P(1, 2)},
        {0, 1, "1 , 2", P(1, 2)},
        {0, 1, "1,\t2", P(1, 2)},
        {0, 1, "1,2,", P(1, 2)},
        {0, 1, "1,", kNone},
        {0, 1, ",1,2", kNone},
        {0, 1, "1,,2", kNone},
        {0, 1, "1 ,, 2", kNone},
        {0, 2, "1 ,, 2", P(1, 2)},
        {0, 1, "1,2,3,4,5", P(1, 2)},
        {0, 1, "1,2,,,,", P(1, 2)},
        {0, 1, "1 2 ,,,,#x", P(1, 2)},
        {0, 2, "1.5,2,3.25", P(1.5, 3.25)},
        {0, 2, "1.5 2 3.25 whatever", P(1.5, 3.25)},
        {0, 2, "1.5,,3.25", P(1.5, 3.25)},
        {0, 2, ",2,3", kNone},
        {0, 2, "1 X 3", P(1, 3)},
        {0, 2, "1 2", kNone},
        {2, 0, "10,20,30", P(30, 10)},
        {2, 0, "10 abc 30", P(30, 10)},
        {1, 0, "5 6", P(6, 5)},
        {1, 2, ",7,8", P(7, 8)},
        {0, 1, ",7,8", kNone},
        {1, 2, "1,,3", kNone},
        {0, 2, "1,,3", P(1, 3)},
        {0, 3, "1,,,4", P(1, 4)},
        {3, 4, "1,2,3,4,5", P(4, 5)},
        {3, 4, "1,2,3,4,5,6,7", P(4, 5)},
        {1, 2, ",,5,6", kNone},
        {2, 3, ",,5,6", P(5, 6)},
        {2, 2, ",,5", P(kIndex, 5)},
        {2, 2, "0.000,0.000,1.000", P(kIndex, 1)},
        {1, 1, ",5", P(kIndex, 5)},
        {1, 1, "x,3", P(kIndex, 3)},
        {1, 1, "1", kNone},
        {0, 0, "7", P(kIndex, 7)},
        {0, 0, "5,", P(kIndex, 5)},
        {0, 0, ",5", kNone},
        {0, 0, ",,,", kNone},
        // Gap lines that both ways agree on.
        {0, 1, "NaN", Gap()},
        {0, 0, "NaN", Gap()},
        {0, 1, ",NaN", kNone},
        {0, 1, " NaN", kNone},
        {0, 1, "Na", kNone},
        // A NUL ends the text the scan sees; the line is still a data line.
        {0, 1, "1 2\0"s, P(1, 2)},
        {0, 1, "3 4\0 garbage"s, P(3, 4)},
        {0, 1, "1\0 2"s, kNone},
        {0, 1, "\0 1 2"s, kNone},
        {0, 1, "\0"s, kNone},
        {0, 2, "1 2\0 3"s, kNone},
        {0, 1, "\0#"s, kNone},
        // A line that only holds a carriage return is a data line without a point.
        {0, 1, "\r", kNone},
    };
    return cases;
}

// Reads the cases of one column pair as the lines of one file; every line is a data line.
TEST_P(BothWays, LineGrammarTable) {
    std::vector<std::pair<int, int>> columns;
    for (const LineCase& c : line_cases()) {
        if (std::find(columns.begin(), columns.end(), std::pair{c.xcol, c.ycol}) == columns.end())
            columns.emplace_back(c.xcol, c.ycol);
    }
    for (const auto& [xcol, ycol] : columns) {
        std::string content;
        std::string listing;
        std::vector<Pt> want;
        int index = 0;
        for (const LineCase& c : line_cases()) {
            if (c.xcol != xcol || c.ycol != ycol)
                continue;
            content += c.line + "\n";
            std::string shown = c.line;
            for (char& ch : shown) {
                if (static_cast<unsigned char>(ch) < 0x20)
                    ch = '~';
            }
            listing += "  [" + std::to_string(index) + "] \"" + shown + "\" ->" +
                       (c.point ? describe({*c.point}) : " none") + "\n";
            if (c.point) {
                const bool gap = std::isnan(c.point->x) && std::isnan(c.point->y);
                const bool one_value = xcol == ycol;
                want.push_back({one_value && !gap ? index : c.point->x, c.point->y});
            }
            ++index;
        }
        const LineContainer got = read(
            write("table_" + std::to_string(xcol) + std::to_string(ycol), content), xcol, ycol);
        EXPECT_TRUE(has_points(got, want)) << "xcol " << xcol << ", ycol " << ycol << "\n"
                                           << listing;
        EXPECT_EQ(got.lines_taken, index) << "xcol " << xcol << ", ycol " << ycol;
    }
}

// Lines the two ways of reading treat differently: the whole-file read takes any data line
// starting with "NaN" or "nan" as a gap, the line-stream read only a line that is just "NaN".
TEST_P(BothWays, GapLinesDifferBetweenTheWays) {
    struct Case {
        std::string line;
        Expected whole;
        Expected stream;
    };
    const std::vector<Case> cases = {
        {"nan 5", Gap(), kNone},   {"nan", Gap(), kNone},    {"NaN 5", Gap(), kNone},
        {"NaN,1,2", Gap(), kNone}, {"NaNxyz", Gap(), kNone}, {"nanosecond", Gap(), kNone},
        {"NaN,", Gap(), kNone},    {"NaN\r", Gap(), Gap()},  {"NaN\r\r", Gap(), kNone},
        {"7 8", P(7, 8), P(7, 8)},
    };
    std::string content;
    std::vector<Pt> want;
    for (const Case& c : cases) {
        content += c.line + "\n";
        const Expected& e = GetParam() == Way::WholeFile ? c.whole : c.stream;
        if (e)
            want.push_back(*e);
    }
    const LineContainer got = read(write("gaps", content), 0, 1);
    EXPECT_TRUE(has_points(got, want));
    EXPECT_EQ(got.lines_taken, static_cast<int>(cases.size()));
}

TEST_P(BothWays, FarColumnsAndLongFormats) {
    std::string line;
    for (int i = 0; i <= 400; ++i) {
        if (i > 0)
            line += ',';
        line += std::to_string(i);
    }
    const std::string path = write("wide", line + "\n");
    struct Case {
        int xcol;
        int ycol;
        Expected point;
    };
    for (const Case& c : {Case{0, 300, P(0, 300)}, Case{300, 299, P(300, 299)},
                          Case{400, 0, P(400, 0)}, Case{401, 0, kNone}, Case{0, 32767, kNone},
                          Case{-1, 400, P(0, 400)}, Case{250, 250, P(0, 250)}}) {
        const LineContainer got = read(path, c.xcol, c.ycol);
        EXPECT_TRUE(has_points(got, c.point ? std::vector<Pt>{*c.point} : std::vector<Pt>{}))
            << "xcol " << c.xcol << ", ycol " << c.ycol;
        EXPECT_EQ(got.lines_taken, 1);
    }
}

// Column numbers no dialog allows must not crash the reader; a missing y column gives no point.
TEST_P(BothWays, NonsenseColumnsDoNotCrash) {
    const std::string path = write("n", "1 2 3\nNaN\n,,\n");
    for (const auto& [xcol, ycol] : {std::pair{0, -1}, std::pair{-1, -1}, std::pair{3, -7},
                                     std::pair{-2, 1}, std::pair{-32768, -32768}}) {
        const LineContainer got = read(path, xcol, ycol);
        EXPECT_TRUE(has_points(got, points_of(got)));  // sizes stay consistent
        for (std::size_t i = 0; i < got.y.size(); ++i) {
            if (ycol < 0) {
                EXPECT_TRUE(std::isnan(got.y[i])) << "xcol " << xcol << ", ycol " << ycol;
            }
        }
    }
}

TEST_P(BothWays, GapPointsLeaveRangesAlone) {
    const LineContainer c = read(write("g", "1 2\nNaN\n3 4\n"), 0, 1);
    EXPECT_TRUE(has_points(c, {{1, 2}, {kNaN, kNaN}, {3, 4}}));
    EXPECT_EQ(c.x_range(), std::make_pair(1.0, 3.0));
    EXPECT_EQ(c.y_range(), std::make_pair(2.0, 4.0));
}

// ---------------------------------------------------------------------------------------------
// Line structure: comments, line ends, unfinished and empty lines, byte-order mark.

TEST_P(BothWays, CommentLinesAreNotDataLines) {
    const std::string content = "# angle sin cos\n0.000,0.000,1.000\n0.098,0.098,0.995\n";
    const std::string path = write("c", content);
    const LineContainer two = read(path, 0, 1);
    EXPECT_TRUE(has_points(two, {{0, 0}, {0.098, 0.098}}));
    EXPECT_EQ(two.lines_taken, 2);
    const LineContainer one = read(path, 2, 2);
    EXPECT_TRUE(has_points(one, {{0, 1.0}, {1, 0.995}}));
    EXPECT_EQ(one.lines_taken, 2);

    // Comments between data lines do not move the data-line index; '#' counts only first.
    const LineContainer mixed = read(write("m", "#a\n5\n#b\n#c\n6\n #7\n8\n#\n"), 0, 0);
    EXPECT_TRUE(has_points(mixed, {{0, 5}, {1, 6}, {3, 8}}));
    EXPECT_EQ(mixed.lines_taken, 4);
}

TEST_P(BothWays, CarriageReturnLineFeedReadsLikeLineFeed) {
    const std::string lf = "# head\n1 2\nNaN\n3,4\nx y\n5 6 7\n";
    std::string crlf;
    for (char ch : lf)
        crlf += ch == '\n' ? "\r\n"s : std::string(1, ch);
    for (const auto& [xcol, ycol] : {std::pair{0, 1}, std::pair{1, 1}}) {
        const LineContainer a = read(write("lf", lf), xcol, ycol);
        const LineContainer b = read(write("crlf", crlf), xcol, ycol);
        EXPECT_TRUE(has_points(b, points_of(a))) << "xcol " << xcol;
        EXPECT_EQ(b.lines_taken, a.lines_taken);
        EXPECT_EQ(a.lines_taken, 5);
    }
}

TEST_P(BothWays, UnfinishedLastLineIsTakenOnceCompleted) {
    const std::string path = write("u", "1,2\n");
    dir_.append("u", "3,4");
    LineContainer c;
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 2}}));
    EXPECT_EQ(c.lines_taken, 1);

    dir_.append("u", "\r");  // still no line feed
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 2}}));
    EXPECT_EQ(c.lines_taken, 1);

    dir_.append("u", "\n5,6");
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 2}, {3, 4}}));
    EXPECT_EQ(c.lines_taken, 2);

    // A fresh full read sees the same lines.
    const LineContainer fresh = read(path, 0, 1);
    EXPECT_TRUE(has_points(fresh, points_of(c)));
}

TEST_F(ReaderTest, FileOfOnlyAnUnfinishedLineGivesNothing) {
    const LineContainer c = read(dir_.write("u", "5 6"), 0, 1);
    EXPECT_TRUE(has_points(c, {}));
    EXPECT_EQ(c.lines_taken, 0);
}

TEST_P(BothWays, EmptyLineEndsOnlyTheWholeFileRead) {
    const LineContainer c = read(write("e", "1 1\n\n2 2\n"), 0, 1);
    if (GetParam() == Way::WholeFile) {
        EXPECT_TRUE(has_points(c, {{1, 1}}));
        EXPECT_EQ(c.lines_taken, 1);
    } else {
        EXPECT_TRUE(has_points(c, {{1, 1}, {2, 2}}));
        EXPECT_EQ(c.lines_taken, 3);
    }
    // An empty line in one-value mode still takes an index in the line stream.
    const LineContainer idx = read(write("i", "5\n\n6\n"), 0, 0);
    if (GetParam() == Way::WholeFile) {
        EXPECT_TRUE(has_points(idx, {{0, 5}}));
    } else {
        EXPECT_TRUE(has_points(idx, {{0, 5}, {2, 6}}));
    }
}

TEST_F(ReaderTest, WholeFileReadStopsAtEmptyFirstLineButNotAtCarriageReturnLine) {
    const LineContainer first = read(dir_.write("a", "\n1 1\n"), 0, 1);
    EXPECT_TRUE(has_points(first, {}));
    EXPECT_EQ(first.lines_taken, 0);

    const LineContainer cr = read(dir_.write("b", "1 1\n\r\n2 2\n"), 0, 1);
    EXPECT_TRUE(has_points(cr, {{1, 1}, {2, 2}}));
    EXPECT_EQ(cr.lines_taken, 3);
}

TEST_P(BothWays, ByteOrderMarkAtStartIsSkipped) {
    const std::string bom = "\xEF\xBB\xBF";
    const LineContainer plain = read(write("p", bom + "1 2\n3 4\n"), 0, 1);
    EXPECT_TRUE(has_points(plain, {{1, 2}, {3, 4}}));
    EXPECT_EQ(plain.lines_taken, 2);

    // The mark does not hide a comment behind it.
    const LineContainer comment = read(write("c", bom + "# head\n1 2\n"), 0, 1);
    EXPECT_TRUE(has_points(comment, {{1, 2}}));
    EXPECT_EQ(comment.lines_taken, 1);

    // Elsewhere the same bytes are just text that does not convert.
    const LineContainer middle = read(write("m", "1 2\n" + bom + "3 4\n5 6\n"), 0, 1);
    EXPECT_TRUE(has_points(middle, {{1, 2}, {5, 6}}));
    EXPECT_EQ(middle.lines_taken, 3);

    const LineContainer partial = read(write("h",
                                             "\xEF\xBB"
                                             "1 2\n3 4\n"),
                                       0, 1);
    EXPECT_TRUE(has_points(partial, {{3, 4}}));
    EXPECT_EQ(partial.lines_taken, 2);
}

TEST_F(ReaderTest, FileOfOnlyAByteOrderMarkGivesNothing) {
    const LineContainer c = read(dir_.write("b", "\xEF\xBB\xBF"), 0, 1);
    EXPECT_TRUE(has_points(c, {}));
    EXPECT_EQ(c.lines_taken, 0);
}

// ---------------------------------------------------------------------------------------------
// New lines only, and what lines_taken counts.

TEST_P(BothWays, AddOnlySkipsTakenDataLinesByIndex) {
    for (const bool many_comments : {false, true}) {
        std::string content = "# c\n";
        for (int i = 0; i < 5; ++i) {
            content += std::to_string(10 + i) + " " + std::to_string(i) + "\n";
            if (many_comments)
                content += "#\n# more\n";
        }
        const std::string path = write(many_comments ? "many" : "one", content);
        LineContainer c;
        for (int i = 0; i < 3; ++i)
            c.note_line_taken();
        read(c, path, 0, 1, true);
        EXPECT_TRUE(has_points(c, {{13, 3}, {14, 4}})) << "many comments " << many_comments;
        EXPECT_EQ(c.lines_taken, 5);
        read(c, path, 0, 1, true);
        EXPECT_EQ(c.count, 2) << "a line was taken twice";
        EXPECT_EQ(c.lines_taken, 5);
    }
}

TEST_P(BothWays, AddOnlyKeepsDataLineIndexAcrossReads) {
    const std::string path = write("i", "5\nx\n6\n");
    LineContainer c;
    read(c, path, 0, 0, true);
    dir_.append("i", "#\n7\n");
    read(c, path, 0, 0, true);
    EXPECT_TRUE(has_points(c, {{0, 5}, {2, 6}, {3, 7}}));
    EXPECT_EQ(c.lines_taken, 4);
}

TEST_P(BothWays, ReadWithoutAddOnlyAppendsAgain) {
    const std::string path = write("a", "1 2\nbad\n3 4\n");
    LineContainer c;
    read(c, path, 0, 1);
    read(c, path, 0, 1);
    EXPECT_TRUE(has_points(c, {{1, 2}, {3, 4}, {1, 2}, {3, 4}}));
    EXPECT_EQ(c.lines_taken, 6);
}

TEST_P(BothWays, LinesThatDoNotConvertAreStillTaken) {
    const std::string path = write("n", "1 2\nx y\n1\n,5\n3 4\n");
    LineContainer c;
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 2}, {3, 4}}));
    EXPECT_EQ(c.lines_taken, 5);
    dir_.append("n", "bad\n5 6\n");
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 2}, {3, 4}, {5, 6}}));
    EXPECT_EQ(c.lines_taken, 7);
}

TEST_F(ReaderTest, FileTruncatedBetweenReads) {
    const std::string path = dir_.write("t", "1 1\n2 2\n3 3\n");
    LineContainer c;
    read(c, path, 0, 1, true);
    EXPECT_EQ(c.lines_taken, 3);

    // Shorter than what was taken: nothing new, nothing lost.
    dir_.write("t", "9 9\n");
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 1}, {2, 2}, {3, 3}}));
    EXPECT_EQ(c.lines_taken, 3);

    dir_.write("t", "");
    read(c, path, 0, 1, true);
    EXPECT_EQ(c.count, 3);
    EXPECT_EQ(c.lines_taken, 3);

    // Grown again: lines are skipped by index, so the fourth data line is the next one taken.
    dir_.write("t", "9 9\n4 4\n5 5\n6 6\n7 7");
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 1}, {2, 2}, {3, 3}, {6, 6}}));
    EXPECT_EQ(c.lines_taken, 4);
}

// ---------------------------------------------------------------------------------------------
// Elapsed time as x.

// Reads `content` into a container whose first point was taken `ago` seconds before now; retries
// when the clock ticks during the read so the expected elapsed time is exact.
LineContainer read_elapsed(const std::string& path, int ycol, int time_unit, std::int64_t ago,
                           bool* exact) {
    LineContainer c;
    for (int attempt = 0; attempt < 5; ++attempt) {
        c = LineContainer();
        const std::int64_t t0 = tarvik::calendar_now();
        c.add_point(0, 0, t0 - ago);
        tarvik::read_data_file(spec_for(path, -1, ycol, false, time_unit), c);
        *exact = tarvik::calendar_now() == t0;
        if (*exact)
            break;
    }
    return c;
}

TEST_F(ReaderTest, ElapsedTimeInEachUnit) {
    const std::string path = dir_.write("e", "4.0\n");
    struct Case {
        int unit;
        double x;
    };
    for (const Case& k :
         {Case{0, 90}, Case{1, 1.5}, Case{2, 90.0 / 3600.0}, Case{7, 0}, Case{-1, 0}, Case{3, 0}}) {
        bool exact = false;
        const LineContainer c = read_elapsed(path, 0, k.unit, 90, &exact);
        ASSERT_TRUE(exact) << "clock kept ticking";
        ASSERT_EQ(c.count, 2) << "unit " << k.unit;
        EXPECT_DOUBLE_EQ(c.x[1], k.x) << "unit " << k.unit;
        EXPECT_EQ(c.y[1], 4.0);
        EXPECT_EQ(c.x_range().second, std::max(0.0, k.x)) << "unit " << k.unit;
    }
}

TEST_F(ReaderTest, ElapsedTimeOfMinutesIsExact) {
    bool exact = false;
    const LineContainer c = read_elapsed(dir_.write("e", "4.0\n"), 0, 1, 90, &exact);
    ASSERT_TRUE(exact);
    ASSERT_EQ(c.count, 2);
    EXPECT_EQ(c.x[1], 1.5);
    EXPECT_EQ(c.x_range(), std::make_pair(0.0, 1.5));
}

TEST_F(ReaderTest, ElapsedTimeStartsAtZeroAndPointsAreStampedNow) {
    const std::string path = dir_.write("e", "4\nx\n5\n");
    LineContainer c;
    const std::int64_t t0 = tarvik::calendar_now();
    read(c, path, -1, 0, false, 0);
    const std::int64_t t1 = tarvik::calendar_now();
    ASSERT_EQ(c.count, 2);
    EXPECT_EQ(c.x[0], 0.0);
    EXPECT_GE(c.x[1], 0.0);
    EXPECT_LE(c.x[1], static_cast<double>(t1 - t0));
    EXPECT_EQ(c.y, (std::vector<double>{4, 5}));
    EXPECT_EQ(c.lines_taken, 3);
    for (const std::int64_t t : c.time) {
        EXPECT_GE(t, t0);
        EXPECT_LE(t, t1);
    }
}

TEST_F(ReaderTest, ElapsedTimeSkipsColumnsBeforeY) {
    bool exact = false;
    const LineContainer c = read_elapsed(dir_.write("e", "a 5\n6\n,7\n"), 1, 0, 30, &exact);
    ASSERT_TRUE(exact);
    EXPECT_TRUE(has_points(c, {{0, 0}, {30, 5}, {30, 7}}));
    EXPECT_EQ(c.lines_taken, 3);
}

TEST_P(BothWays, GapLineInElapsedTimeGetsTheElapsedX) {
    const std::string path = write("g", "NaN\n");
    bool exact = false;
    const LineContainer c = read_elapsed(path, 0, 0, 90, &exact);
    ASSERT_TRUE(exact);
    ASSERT_EQ(c.count, 2);
    EXPECT_EQ(c.x[1], 90.0);
    EXPECT_TRUE(std::isnan(c.y[1]));
    EXPECT_EQ(c.y_range(), std::make_pair(0.0, 0.0));
}

// ---------------------------------------------------------------------------------------------
// Hostile content.

TEST_F(ReaderTest, FiftyMegabyteLineWithoutLineFeed) {
    const std::size_t n = 50u << 20;
    const std::string path = dir_.write("long", "1 1\n2,3," + std::string(n, ','));
    LineContainer c;
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 1}}));
    EXPECT_EQ(c.lines_taken, 1);

    dir_.append("long", "\n" + std::string(n, 'y') + "\n4 5\n");
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 1}, {2, 3}, {4, 5}}));
    EXPECT_EQ(c.lines_taken, 4);
}

// Junk lines hold no digit, so they can never convert; they must not hide the good lines.
TEST_P(BothWays, BinaryJunkLinesYieldNothing) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(1, 120);
    std::string content;
    std::vector<Pt> want;
    int data_lines = 0;
    for (int i = 0; i < 3000; ++i) {
        if (i % 3 == 0) {
            content += std::to_string(i) + " " + std::to_string(-i) + "\n";
            want.push_back({static_cast<double>(i), static_cast<double>(-i)});
            ++data_lines;
            continue;
        }
        std::string junk;
        const int len = length(rng);
        while (static_cast<int>(junk.size()) < len) {
            const char ch = static_cast<char>(byte(rng));
            if (ch == '\n' || (ch >= '0' && ch <= '9') || ch == 'N' || ch == 'n')
                continue;
            if (junk.empty() && ch == '#')
                continue;
            junk += ch;
        }
        content += junk + "\n";
        ++data_lines;
    }
    const LineContainer c = read(write("junk", content), 0, 1);
    EXPECT_TRUE(has_points(c, want));
    EXPECT_EQ(c.lines_taken, data_lines);
}

TEST_F(ReaderTest, RandomBytesNeverCrash) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 20; ++round) {
        std::string content;
        const int n = 1 + round * 997;
        for (int i = 0; i < n; ++i)
            content += static_cast<char>(byte(rng));
        // Sprinkle line feeds and number-like bytes so some lines do convert.
        for (int i = 0; i < n / 20; ++i)
            content[static_cast<std::size_t>(i * 20 % n)] = '\n';
        const std::string path = dir_.write("r", content);
        for (const auto& [xcol, ycol] : {std::pair{0, 1}, std::pair{2, 2}, std::pair{-1, 3}}) {
            LineContainer c;
            read(c, path, xcol, ycol, round % 2 == 0);
            const auto line_feeds = std::count(content.begin(), content.end(), '\n');
            EXPECT_LE(c.lines_taken, line_feeds);
            EXPECT_LE(c.count, c.lines_taken);
            EXPECT_TRUE(has_points(c, points_of(c)));  // sizes stay consistent
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Choosing the way of reading by the full file size.

TEST_F(ReaderTest, FileOfExactlyTheLimitIsReadWhole) {
    const std::string path = dir_.write("limit", "1 1\nnan 5\n\n2 2\n");
    pad_with_comment(path, kLimit);
    const LineContainer c = read(path, 0, 1);
    EXPECT_TRUE(has_points(c, {{1, 1}, {kNaN, kNaN}}));
    EXPECT_EQ(c.lines_taken, 2);
}

TEST_F(ReaderTest, FileOneByteOverTheLimitIsReadAsLineStream) {
    const std::string path = dir_.write("over", "1 1\nnan 5\n\n2 2\n");
    pad_with_comment(path, kLimit + 1);
    const LineContainer c = read(path, 0, 1);
    EXPECT_TRUE(has_points(c, {{1, 1}, {2, 2}}));
    EXPECT_EQ(c.lines_taken, 4);
}

// A size that only looks small in its low 32 bits must still go to the line-stream read. The
// hole is cut into NUL lines of 256 MiB so no single line needs gigabytes of memory.
TEST_F(ReaderTest, FileOverFourGibibytesIsReadAsLineStream) {
    const std::string head = "1 1\nnan 5\n";
    const std::string tail = "\n\n2 2\n";  // ends the last NUL line, then an empty line
    const std::uint64_t total = (std::uint64_t{1} << 32) + 24;
    const std::uint64_t step = std::uint64_t{256} << 20;
    const std::string path = dir_.write("huge", head);
    {
        const int fd = ::open(path.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        if (::ftruncate(fd, static_cast<off_t>(total)) != 0) {
            ::close(fd);
            GTEST_SKIP() << "cannot make a file over 4 GiB here";
        }
        struct stat st {};
        ASSERT_EQ(::fstat(fd, &st), 0);
        if (st.st_blocks * 512 > (std::int64_t{64} << 20)) {
            ::close(fd);
            std::filesystem::remove(path);
            GTEST_SKIP() << "file system does not make sparse files";
        }
        const std::uint64_t tail_at = total - tail.size();
        int nul_lines = 1;
        for (std::uint64_t at = head.size() + step; at < tail_at; at += step, ++nul_lines) {
            ASSERT_EQ(::pwrite(fd, "\n", 1, static_cast<off_t>(at)), 1);
        }
        ASSERT_EQ(::pwrite(fd, tail.data(), tail.size(), static_cast<off_t>(tail_at)),
                  static_cast<ssize_t>(tail.size()));
        ::close(fd);

        const LineContainer c = read(path, 0, 1);
        EXPECT_TRUE(has_points(c, {{1, 1}, {2, 2}}));
        // "1 1", "nan 5", the NUL lines, the empty line, "2 2".
        EXPECT_EQ(c.lines_taken, 2 + nul_lines + 2);
    }
}

// ---------------------------------------------------------------------------------------------
// Files that cannot be read.

void expect_same_container(const LineContainer& a, const LineContainer& b) {
    EXPECT_TRUE(has_points(a, points_of(b)));
    EXPECT_EQ(a.time, b.time);
    EXPECT_EQ(a.lines_taken, b.lines_taken);
    EXPECT_EQ(a.x_range(), b.x_range());
    EXPECT_EQ(a.y_range(), b.y_range());
}

LineContainer prefilled() {
    LineContainer c;
    c.add_point(1, 2, 1000);
    c.note_line_taken();
    c.note_line_taken();
    return c;
}

class OpenFailureTest : public ReaderTest {
  protected:
    void SetUp() override { expect_no_prompts_ = false; }

    void expect_one_box_for(const std::string& path) {
        ASSERT_EQ(prompts_.prompts().size(), 1u);
        const tarvik::testing::RecordedPrompt& p = prompts_.prompts().front();
        EXPECT_EQ(p.text, "IO error in opening file " + path);
        EXPECT_EQ(p.caption, "Tarvik");
        EXPECT_EQ(p.icon, prompt::Icon::None);
        EXPECT_EQ(p.buttons, prompt::Buttons::AbortRetryIgnore);
    }
};

TEST_F(OpenFailureTest, MissingFileAsksAndIgnoreLeavesContainerAlone) {
    const std::string path = dir_.file("missing.txt");
    LineContainer c = prefilled();
    prompts_.answer_next(prompt::Button::Ignore);
    read(c, path, 0, 1, true);
    expect_one_box_for(path);
    expect_same_container(c, prefilled());
}

TEST_F(OpenFailureTest, DirectoryCannotBeOpened) {
    LineContainer c = prefilled();
    read(c, dir_.path(), 0, 1);
    expect_one_box_for(dir_.path());
    expect_same_container(c, prefilled());
}

TEST_F(OpenFailureTest, UnreadableFileCannotBeOpened) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads any file";
    const std::string path = dir_.write("locked", "1 2\n");
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    LineContainer c = prefilled();
    read(c, path, 0, 1);
    expect_one_box_for(path);
    expect_same_container(c, prefilled());
}

// A prompter that runs an action while its box is "open".
class BoxAction : public PromptRecorder {
  public:
    explicit BoxAction(std::function<prompt::Button()> action) : action_(std::move(action)) {}
    prompt::Button show(const std::string& text, const std::string& caption, prompt::Icon icon,
                        prompt::Buttons buttons) override {
        PromptRecorder::show(text, caption, icon, buttons);
        return action_();
    }

  private:
    std::function<prompt::Button()> action_;
};

TEST_F(OpenFailureTest, LockIsReleasedWhileTheBoxIsShown) {
    std::uint32_t wait = tarvik::kWaitFailed;
    BoxAction box([&wait] {
        wait = try_producer_lock_elsewhere();
        return prompt::Button::Ignore;
    });
    LineContainer c;
    read(c, dir_.file("missing"), 0, 1);
    ASSERT_EQ(box.prompts().size(), 1u);
    EXPECT_EQ(wait, tarvik::kWaitObject0) << "a producer would be blocked by the open box";
    EXPECT_EQ(try_producer_lock_elsewhere(), tarvik::kWaitObject0);
}

TEST_F(OpenFailureTest, RetryOpensAgain) {
    const std::string path = dir_.file("late");
    BoxAction box([&] {
        dir_.write("late", "1 2\n3 4\n");
        return prompt::Button::Retry;
    });
    LineContainer c;
    read(c, path, 0, 1);
    EXPECT_EQ(box.prompts().size(), 1u);
    EXPECT_TRUE(has_points(c, {{1, 2}, {3, 4}}));
    EXPECT_EQ(c.lines_taken, 2);
}

TEST_F(OpenFailureTest, RetryThatFailsAgainAsksAgain) {
    prompts_.answer_next(prompt::Button::Retry);
    prompts_.answer_next(prompt::Button::Retry);
    prompts_.answer_next(prompt::Button::Ignore);
    LineContainer c = prefilled();
    read(c, dir_.file("never"), 0, 1);
    EXPECT_EQ(prompts_.prompts().size(), 3u);
    expect_same_container(c, prefilled());
}

TEST_F(OpenFailureTest, AbortEndsTheProcessWithStatusThree) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string path = dir_.file("missing");
    EXPECT_EXIT(
        {
            PromptRecorder abort_box;
            abort_box.answer_next(prompt::Button::Abort);
            LineContainer c;
            tarvik::read_data_file(spec_for(path, 0, 1), c);
        },
        ::testing::ExitedWithCode(3), "");
}

// The end goes through the termination hook, which the program (or a test) may replace.
TEST_F(OpenFailureTest, AbortGoesThroughTheTerminationHook) {
    struct Terminated {
        int status;
    };
    const tarvik::TerminationHandler previous =
        tarvik::set_termination_handler([](int status) { throw Terminated{status}; });
    prompts_.answer_next(prompt::Button::Abort);
    LineContainer c;
    try {
        read(c, dir_.file("missing"), 0, 1);
        ADD_FAILURE() << "the reader went on after Abort";
    } catch (const Terminated& t) {
        EXPECT_EQ(t.status, 3);
    }
    tarvik::set_termination_handler(previous);
    EXPECT_EQ(try_producer_lock_elsewhere(), tarvik::kWaitObject0);
}

TEST_F(ReaderTest, EmptyFileGivesNothingAndNoBox) {
    LineContainer c = prefilled();
    read(c, dir_.write("empty", ""), 0, 1, true);
    expect_same_container(c, prefilled());
}

TEST_F(ReaderTest, LockIsFreeAfterReads) {
    LineContainer c;
    read(c, dir_.write("a", "1 2\n"), 0, 1);
    EXPECT_EQ(try_producer_lock_elsewhere(), tarvik::kWaitObject0);
    const std::string big = dir_.write("b", "1 2\n");
    pad_with_comment(big, kLimit + 1);
    read(c, big, 0, 1);
    EXPECT_EQ(try_producer_lock_elsewhere(), tarvik::kWaitObject0);
    EXPECT_EQ(c.count, 2);
}

}  // namespace
