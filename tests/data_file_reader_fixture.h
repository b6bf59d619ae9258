// What the data file reader's tests share: expected points and their comparison, file specs,
// a check of the producer lock from elsewhere, and the fixtures (BothWays runs a test through
// the whole-file read and the line-stream read).
#pragma once

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

#include "data_file_reader.h"
#include "mutex.h"
#include "prompt_recorder.h"
#include "stored_values.h"
#include "temp_dir.h"
#include "termination.h"

namespace reader_test {

using namespace std::string_literals;
using tarvik::FileSpec;
using tarvik::LineContainer;
using tarvik::testing::PromptRecorder;
using tarvik::testing::TempDir;
namespace prompt = tarvik::prompt;

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();
inline constexpr std::int64_t kLimit = tarvik::kLargestFileReadWhole;

struct Pt {
    double x;
    double y;
};
using Expected = std::optional<Pt>;
inline constexpr Expected kNone = std::nullopt;
inline Expected P(double x, double y) {
    return Pt{x, y};
}
inline Expected Gap() {
    return Pt{kNaN, kNaN};
}

using tarvik::testing::num;
using tarvik::testing::same;

inline std::string describe(const std::vector<Pt>& pts) {
    std::string s;
    for (const Pt& p : pts)
        s += " (" + num(p.x) + ", " + num(p.y) + ")";
    return s.empty() ? " none" : s;
}

inline std::vector<Pt> points_of(const LineContainer& c) {
    std::vector<Pt> pts;
    for (std::size_t i = 0; i < c.x.size() && i < c.y.size(); ++i)
        pts.push_back({c.x[i], c.y[i]});
    return pts;
}

inline ::testing::AssertionResult has_points(const LineContainer& c, const std::vector<Pt>& want) {
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

inline FileSpec spec_for(const std::string& path, int xcol, int ycol, bool add_only = false,
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
inline void pad_with_comment(const std::string& path, std::int64_t total) {
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

inline std::string way_name(const ::testing::TestParamInfo<Way>& info) {
    return info.param == Way::WholeFile ? "WholeFile" : "LineStream";
}

// Tries the producer lock from another thread, as another process would; returns the wait
// result (0 when it was free).
inline std::uint32_t try_producer_lock_elsewhere() {
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

}  // namespace reader_test
