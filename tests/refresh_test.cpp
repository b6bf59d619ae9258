// Refreshing a curve through the document: history rotation, the two update modes and what a
// failed read leaves behind, on real files.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <utility>
#include <vector>

#include "enumerations.h"
#include "prompt_recorder.h"
#include "tarvik_doc.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

using testing::PromptRecorder;
using testing::TempDir;
using Points = std::vector<std::pair<double, double>>;

Points points_of(const LineContainer& c) {
    Points p;
    for (std::size_t k = 0; k < c.x.size(); ++k)
        p.emplace_back(c.x[k], c.y[k]);
    return p;
}

// Lines "k 10k" for k in [first, last].
std::string lines(int first, int last) {
    std::string s;
    for (int k = first; k <= last; ++k)
        s += std::to_string(k) + " " + std::to_string(10 * k) + "\n";
    return s;
}

Points points(int first, int last) {
    Points p;
    for (int k = first; k <= last; ++k)
        p.emplace_back(k, 10 * k);
    return p;
}

class RefreshTest : public ::testing::Test {
  protected:
    // One curve read from columns 0 and 1 of a.txt holding `bytes`.
    void start(const std::string& bytes, bool add_only, int generations) {
        file_ = dir_.write("a.txt", bytes);
        ASSERT_TRUE(doc_.append_curve(file_, 0, 1, "", add_only));
        ASSERT_TRUE(doc_.resize_history(0, generations));
    }
    Points generation(int g) const { return points_of(doc_.history(0).at(g)); }

    TempDir dir_;
    PromptRecorder prompts_;
    CTarvikDoc doc_;
    std::string file_;
};

TEST_F(RefreshTest, NewLinesOnlyKeepsTheEarlierStatesBehindTheFront) {
    start(lines(1, 2), true, 4);  // history size 3
    ASSERT_EQ(doc_.history(0).size(), 4u);
    EXPECT_EQ(generation(0), points(1, 2));
    for (int g = 1; g < 4; ++g)
        EXPECT_EQ(doc_.history(0)[g].count, 0) << g;

    for (int k = 3; k <= 5; ++k) {
        dir_.append("a.txt", lines(k, k));
        doc_.refresh_curve(0);
    }
    ASSERT_EQ(doc_.history(0).size(), 4u);
    EXPECT_EQ(generation(0), points(1, 5));
    EXPECT_EQ(generation(1), points(1, 4));
    EXPECT_EQ(generation(2), points(1, 3));
    EXPECT_EQ(generation(3), points(1, 2));
    EXPECT_EQ(doc_.history(0)[0].lines_taken, 5);

    // One more: every generation moves back one place untouched, the oldest falls off.
    dir_.append("a.txt", lines(6, 6));
    doc_.refresh_curve(0);
    EXPECT_EQ(generation(0), points(1, 6));
    EXPECT_EQ(generation(1), points(1, 5));
    EXPECT_EQ(generation(2), points(1, 4));
    EXPECT_EQ(generation(3), points(1, 3));

    // Nothing new: the refresh still rotates, the front is not duplicated.
    doc_.refresh_curve(0);
    EXPECT_EQ(generation(0), points(1, 6));
    EXPECT_EQ(generation(1), points(1, 6));
    EXPECT_EQ(generation(3), points(1, 4));
}

TEST_F(RefreshTest, FullUpdateRebuildsFromTheWholeFile) {
    start(lines(1, 3), false, 3);
    dir_.write("a.txt", "7 70\n8 80\n");  // rewritten from its start, shorter
    doc_.refresh_curve(0);
    EXPECT_EQ(generation(0), (Points{{7, 70}, {8, 80}}));
    EXPECT_EQ(generation(1), points(1, 3));
    EXPECT_EQ(doc_.history(0)[2].count, 0);

    dir_.write("a.txt", "5 50\n");
    doc_.refresh_curve(0);
    EXPECT_EQ(generation(0), (Points{{5, 50}}));
    EXPECT_EQ(generation(1), (Points{{7, 70}, {8, 80}}));
    EXPECT_EQ(generation(2), points(1, 3));

    // The store reused for the front held the oldest state; none of it may show.
    doc_.refresh_curve(0);
    EXPECT_EQ(generation(0), (Points{{5, 50}}));
    EXPECT_EQ(doc_.history(0)[0].lines_taken, 1);
    EXPECT_EQ(doc_.history(0)[0].x_range(), std::make_pair(5.0, 5.0));
    EXPECT_EQ(generation(1), (Points{{5, 50}}));
    EXPECT_EQ(generation(2), (Points{{7, 70}, {8, 80}}));
}

TEST_F(RefreshTest, FullUpdateWithoutHistoryDoesNotDuplicate) {
    start(lines(1, 2), false, 1);
    doc_.refresh_curve(0);
    doc_.refresh_curve(0);
    EXPECT_EQ(generation(0), points(1, 2));
    dir_.append("a.txt", lines(3, 3));
    doc_.refresh_curve(0);
    EXPECT_EQ(generation(0), points(1, 3));
}

TEST_F(RefreshTest, SwitchingToFullUpdateRebuildsTheCurve) {
    start(lines(1, 2), true, 1);
    // New lines only: a file rewritten shorter shows nothing new...
    dir_.write("a.txt", "9 90\n");
    doc_.refresh_curve(0);
    EXPECT_EQ(generation(0), points(1, 2));
    // ...and once longer than before, only the lines past the taken ones arrive.
    dir_.write("a.txt", "1 11\n2 22\n3 33\n");
    doc_.refresh_curve(0);
    EXPECT_EQ(generation(0), (Points{{1, 10}, {2, 20}, {3, 33}}));

    doc_.set_add_only(0, FULL_UPDATE);
    doc_.refresh_curve(0);
    EXPECT_EQ(generation(0), (Points{{1, 11}, {2, 22}, {3, 33}}));
    EXPECT_EQ(doc_.history(0)[0].lines_taken, 3);
}

TEST_F(RefreshTest, ElapsedTimePointsAreRestampedOnlyByAFullUpdate) {
    doc_.set_time_unit(SECONDS);
    file_ = dir_.write("a.txt", lines(1, 2));
    ASSERT_TRUE(doc_.append_curve(file_, -1, 1, "", false));
    // Pretend the points were taken 100 s ago.
    auto backdate = [this] {
        PointTimes& times = doc_.current_store(0).time;
        PointTimes earlier;
        for (const std::int64_t t : times)
            earlier.push_back(t - 100);
        times = earlier;
    };

    backdate();
    const std::int64_t before = std::time(nullptr);
    doc_.refresh_curve(0);
    const auto& rebuilt = doc_.history(0).front();
    ASSERT_EQ(rebuilt.count, 2);
    for (int k = 0; k < 2; ++k) {
        EXPECT_GE(rebuilt.time[k], before) << k;
        EXPECT_LE(rebuilt.x[k], 1.0) << k;  // all near 0
        EXPECT_EQ(rebuilt.y[k], 10.0 * (k + 1));
    }

    doc_.set_add_only(0, NEW_LINES_ONLY);
    backdate();
    const PointTimes& backdated = doc_.history(0).front().time;
    const std::vector<std::int64_t> kept(backdated.begin(), backdated.end());
    dir_.append("a.txt", lines(3, 3));
    doc_.refresh_curve(0);
    const auto& added = doc_.history(0).front();
    ASSERT_EQ(added.count, 3);
    EXPECT_EQ((std::vector<std::int64_t>{added.time[0], added.time[1]}), kept);
    EXPECT_GE(added.x[2], 100.0);  // measured from the first point's time
    EXPECT_LE(added.x[2], 103.0);
    EXPECT_EQ(added.y[2], 30.0);
}

TEST_F(RefreshTest, RefreshAllReadsEveryCurveWithoutAskingTheMonitor) {
    start(lines(1, 1), true, 1);
    const std::string b = dir_.write("b.txt", lines(5, 5));
    ASSERT_TRUE(doc_.append_curve(b, 0, 1, "", false));
    dir_.append("a.txt", lines(2, 2));
    dir_.append("b.txt", lines(6, 6));
    doc_.refresh_all();
    EXPECT_EQ(generation(0), points(1, 2));
    EXPECT_EQ(points_of(doc_.history(1).front()), points(5, 6));
    // The monitor was left alone: it still has the changes to report.
    EXPECT_EQ(doc_.check_file(0), FILE_CHANGED);
    EXPECT_EQ(doc_.check_file(1), FILE_CHANGED);
}

TEST_F(RefreshTest, PlotRequestWithElapsedTimeXKeepsTheTimeEachPointArrived) {
    file_ = dir_.write("a.txt", "5\n6\n");
    ASSERT_TRUE(doc_.AddPlotRequest(PlotRequest{file_, -1, 0, 0, 10, 0, 10}));
    EXPECT_EQ(doc_.add_only(0), NEW_LINES_ONLY);
    // The first two lines as taken two minutes ago.
    LineContainer earlier;
    const std::int64_t then = calendar_now() - 120;
    for (const double y : {5.0, 6.0}) {
        earlier.note_line_taken();
        earlier.add_point(0.0, y, then);
    }
    doc_.current_store(0) = earlier;

    // A full re-read would stamp every point now and put them all at one x.
    dir_.append("a.txt", "7\n");
    doc_.refresh_curve(0);
    const LineContainer& c = doc_.history(0).front();
    ASSERT_EQ(c.count, 3);
    EXPECT_EQ(c.y, (std::vector<double>{5, 6, 7}));
    EXPECT_EQ(c.x[0], 0.0);
    EXPECT_EQ(c.x[1], 0.0);
    EXPECT_NEAR(c.x[2], 2.0, 0.1);  // minutes, the plot's unit
}

TEST_F(RefreshTest, FailedReadKeepsOlderGenerations) {
    for (const bool add_only : {true, false}) {
        SCOPED_TRACE(add_only ? "new lines only" : "full update");
        TempDir dir;
        PromptRecorder prompts;
        CTarvikDoc doc;
        const std::string file = dir.write("a.txt", lines(1, 2));
        ASSERT_TRUE(doc.append_curve(file, 0, 1, "", add_only));
        ASSERT_TRUE(doc.resize_history(0, 2));
        std::filesystem::remove(file);

        prompts.answer_next(prompt::Button::Ignore);
        doc.refresh_curve(0);
        ASSERT_EQ(prompts.prompts().size(), 1u);
        EXPECT_EQ(prompts.prompts()[0].text, "IO error in opening file " + file);
        EXPECT_EQ(prompts.prompts()[0].buttons, prompt::Buttons::AbortRetryIgnore);
        // The front is as the mode left it before the read; the previous state is history.
        EXPECT_EQ(points_of(doc.history(0)[0]), add_only ? points(1, 2) : Points{});
        EXPECT_EQ(points_of(doc.history(0)[1]), points(1, 2));
    }
}

}  // namespace
}  // namespace tarvik
