// One tick of the update timer: which curves it re-reads, when it forces a re-read of all,
// and how it counts ticks. Write times are set explicitly; nothing waits for the clock.
#include "timer_tick.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "plot_view_state.h"
#include "prompt_recorder.h"
#include "tarvik_doc.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

using testing::PromptRecorder;
using testing::TempDir;

constexpr double kMarker = -12345.0;  // no file below holds this value

class TimerTickTest : public ::testing::Test {
  protected:
    TimerTickTest() { view_.m_TimerId = 1; }

    // Adds a full-update curve from a new file holding "1 10".
    void add_curve(const std::string& name) {
        const std::string path = dir_.write(name, "1 10\n");
        touch(path);
        ASSERT_TRUE(doc_.append_curve(path, 0, 1, "", false));
    }
    // A new write time, one second on from the last one given.
    void touch(const std::string& path) {
        const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(++clock_), 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }
    void append_line(int i) {
        const std::string path = doc_.file_name(i);
        std::filesystem::path name(path);
        dir_.append(name.filename().string(), "2 20\n");
        touch(path);
    }
    // A point the file does not hold: a full-update re-read drops it.
    void mark(int i) { doc_.current_store(i).add_point(kMarker, 0); }
    bool read_since_mark(int i) const {
        const auto& front = doc_.history(i).front();
        return front.x.empty() || front.x.back() != kMarker;
    }
    void mark_all() {
        for (int i = 0; i < doc_.curve_count(); ++i)
            mark(i);
    }
    TimerTickResult tick() { return timer_tick(doc_, view_, 1); }

    TempDir dir_;
    PromptRecorder prompts_;
    CTarvikDoc doc_;
    PlotViewState view_;
    std::int64_t clock_ = 1000;
};

TEST_F(TimerTickTest, ForeignEventIsNotOurs) {
    add_curve("a.txt");
    mark_all();
    append_line(0);
    const TimerTickResult r = timer_tick(doc_, view_, 2);
    EXPECT_FALSE(r.ours);
    EXPECT_FALSE(r.updated);
    EXPECT_FALSE(read_since_mark(0));
    EXPECT_EQ(view_.m_TickCounter, 0u);
    // The monitor was not asked: the next tick of ours still finds the change.
    const TimerTickResult ours = tick();
    EXPECT_TRUE(ours.ours);
    EXPECT_TRUE(ours.updated);
    EXPECT_TRUE(read_since_mark(0));
}

TEST_F(TimerTickTest, ReadsOnlyTheCurvesThatChanged) {
    add_curve("a.txt");
    add_curve("b.txt");
    mark_all();
    EXPECT_FALSE(tick().updated);
    EXPECT_FALSE(read_since_mark(0));
    EXPECT_FALSE(read_since_mark(1));

    append_line(1);
    EXPECT_TRUE(tick().updated);
    EXPECT_FALSE(read_since_mark(0));
    EXPECT_TRUE(read_since_mark(1));
    EXPECT_EQ(doc_.history(1).front().count, 2);

    mark_all();
    EXPECT_FALSE(tick().updated);
    EXPECT_FALSE(read_since_mark(1));
}

TEST_F(TimerTickTest, InitialMaxTriesNeverForces) {
    add_curve("a.txt");
    mark_all();
    for (int n = 0; n < 1000; ++n)
        ASSERT_FALSE(tick().updated) << n;
    EXPECT_FALSE(read_since_mark(0));
    EXPECT_EQ(view_.m_TickCounter, 1000u);
    EXPECT_TRUE(prompts_.prompts().empty());
}

TEST_F(TimerTickTest, MaxTriesOneReadsEveryCurveOnEveryTickMissingFilesIncluded) {
    add_curve("a.txt");
    add_curve("b.txt");
    std::filesystem::remove(doc_.file_name(1));
    view_.m_MaxTries = 1;
    for (int n = 1; n <= 2; ++n) {
        mark_all();
        prompts_.answer_next(prompt::Button::Ignore);
        EXPECT_TRUE(tick().updated);
        EXPECT_TRUE(read_since_mark(0));
        EXPECT_EQ(doc_.history(0).front().count, 1);
        // The missing file's read fails after the full-update clear, with the reader's box.
        EXPECT_EQ(doc_.history(1).front().count, 0);
        ASSERT_EQ(prompts_.prompts().size(), static_cast<std::size_t>(n));
        EXPECT_EQ(prompts_.prompts().back().text, "IO error in opening file " + doc_.file_name(1));
        EXPECT_EQ(view_.m_TickCounter, 0u);
    }
}

TEST_F(TimerTickTest, ForcedTickComesEveryMaxTriesTicks) {
    add_curve("a.txt");
    view_.m_MaxTries = 3;
    for (int round = 0; round < 2; ++round) {
        mark_all();
        EXPECT_FALSE(tick().updated);
        EXPECT_EQ(view_.m_TickCounter, 1u);
        EXPECT_FALSE(tick().updated);
        EXPECT_EQ(view_.m_TickCounter, 2u);
        EXPECT_FALSE(read_since_mark(0));
        EXPECT_TRUE(tick().updated);
        EXPECT_EQ(view_.m_TickCounter, 0u);
        EXPECT_TRUE(read_since_mark(0));
    }
}

TEST_F(TimerTickTest, CounterRestartsOnlyWhenTheLastCurveChanged) {
    add_curve("a.txt");
    add_curve("b.txt");
    view_.m_MaxTries = 5;
    tick();
    tick();
    ASSERT_EQ(view_.m_TickCounter, 2u);
    append_line(0);  // not the last curve
    EXPECT_TRUE(tick().updated);
    EXPECT_EQ(view_.m_TickCounter, 3u);
    append_line(1);
    EXPECT_TRUE(tick().updated);
    EXPECT_EQ(view_.m_TickCounter, 0u);

    // Counted from there, the fifth quiet tick forces.
    mark_all();
    for (int n = 1; n <= 4; ++n)
        EXPECT_FALSE(tick().updated) << n;
    EXPECT_TRUE(tick().updated);
    EXPECT_TRUE(read_since_mark(0));
    EXPECT_TRUE(read_since_mark(1));
}

TEST_F(TimerTickTest, DeletedFileKeepsItsPointsUntilWrittenAgain) {
    add_curve("a.txt");
    doc_.set_add_only(0, NEW_LINES_ONLY);
    ASSERT_TRUE(doc_.resize_history(0, 2));
    std::filesystem::remove(doc_.file_name(0));
    for (int n = 0; n < 3; ++n) {
        EXPECT_FALSE(tick().updated);
        EXPECT_EQ(doc_.file_monitor().status(0), FILE_MISSING);
    }
    EXPECT_EQ(doc_.history(0)[0].count, 1);
    EXPECT_TRUE(prompts_.prompts().empty());

    dir_.write("a.txt", "1 10\n2 20\n3 30\n");
    touch(doc_.file_name(0));
    EXPECT_TRUE(tick().updated);
    const auto& front = doc_.history(0)[0];
    EXPECT_EQ(front.x, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(front.y, (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(doc_.history(0)[1].count, 1);
}

}  // namespace
}  // namespace tarvik
