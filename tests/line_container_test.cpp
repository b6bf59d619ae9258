// The point store: ranges that ignore NaN, clear that keeps room, independent copies.
#include "line_container.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace {

using tarvik::LineContainer;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const std::pair<double, double> kEmptyRange{DBL_MAX, -DBL_MAX};

void expect_consistent(const LineContainer& c) {
    EXPECT_EQ(static_cast<std::size_t>(c.count), c.x.size());
    EXPECT_EQ(c.x.size(), c.y.size());
    EXPECT_EQ(c.x.size(), c.time.size());
}

TEST(LineContainer, NewContainerIsEmptyWithEmptyRanges) {
    const LineContainer c;
    EXPECT_EQ(c.count, 0);
    EXPECT_EQ(c.lines_taken, 0);
    EXPECT_EQ(c.x_range(), kEmptyRange);
    EXPECT_EQ(c.y_range(), kEmptyRange);
    EXPECT_FALSE(c.resume.valid);
    expect_consistent(c);
}

TEST(LineContainer, RangesFollowFiniteValuesOnly) {
    LineContainer c;
    c.add_point(kNaN, 5);
    EXPECT_EQ(c.count, 1);
    expect_consistent(c);
    EXPECT_EQ(c.x_range(), kEmptyRange);
    EXPECT_EQ(c.y_range(), std::make_pair(5.0, 5.0));

    c.add_point(1, 1);
    c.add_point(3, -2);
    c.add_point(kNaN, kNaN);
    c.add_point(2, 7);
    c.add_point(-kNaN, 100);
    EXPECT_EQ(c.count, 6);
    expect_consistent(c);
    EXPECT_EQ(c.x_range(), std::make_pair(1.0, 3.0));
    EXPECT_EQ(c.y_range(), std::make_pair(-2.0, 100.0));
    EXPECT_TRUE(std::isnan(c.x[3]) && std::isnan(c.y[3])) << "a gap point is stored";
}

TEST(LineContainer, SingleNegativePointSetsBothEnds) {
    LineContainer c;
    c.add_point(-5, -DBL_MAX);
    EXPECT_EQ(c.x_range(), std::make_pair(-5.0, -5.0));
    EXPECT_EQ(c.y_range(), std::make_pair(-DBL_MAX, -DBL_MAX));
}

TEST(LineContainer, InfinitiesEnterTheRanges) {
    LineContainer c;
    const double inf = std::numeric_limits<double>::infinity();
    c.add_point(inf, 1);
    c.add_point(0, -inf);
    EXPECT_EQ(c.x_range(), std::make_pair(0.0, inf));
    EXPECT_EQ(c.y_range(), std::make_pair(-inf, 1.0));
}

TEST(LineContainer, PointsKeepTheirTimeStamps) {
    LineContainer c;
    const std::int64_t before = tarvik::calendar_now();
    c.add_point(1, 2);
    c.add_point(3, 4, 12345);
    const std::int64_t after = tarvik::calendar_now();
    ASSERT_EQ(c.time.size(), 2u);
    EXPECT_GE(c.time[0], before);
    EXPECT_LE(c.time[0], after);
    EXPECT_EQ(c.time[1], 12345);
    // Seconds since 1970: after 2020-01-01.
    EXPECT_GT(before, 1577836800);
}

// Drawing trusts these answers to search the points by x, so a wrong yes draws a wrong picture.
// Gap points (x NaN) may lie anywhere among finite x that never decrease; the block summary is
// kept exactly while that holds.
TEST(LineContainer, KnowsWhetherXNeverDecreases) {
    struct Case {
        const char* what;
        std::vector<double> xs;
        bool never_decreases;
        bool finite_never_decrease;
    };
    const Case cases[] = {
        {"empty", {}, true, true},
        {"rising with repeats", {-1, 0, 0, 2.5, 2.5, 7}, true, true},
        {"one step back", {0, 1, 2, 1.5, 3}, false, false},
        {"NaN first", {kNaN, 1, 2}, false, true},
        {"NaN in the middle", {0, kNaN, 2}, false, true},
        {"NaN last", {0, 1, kNaN}, false, true},
        {"back after a NaN", {0, 5, kNaN, 4}, false, false},
        {"infinities in order", {-INFINITY, 0, INFINITY}, true, true},
    };
    for (const Case& c : cases) {
        LineContainer store;
        for (const double x : c.xs)
            store.add_point(x, 0.0, 1);
        EXPECT_EQ(store.x_never_decreases(), c.never_decreases) << c.what;
        EXPECT_EQ(store.finite_x_never_decrease(), c.finite_never_decrease) << c.what;
        EXPECT_EQ(store.block_summary() != nullptr, c.finite_never_decrease) << c.what;
        // A copy keeps the answer; emptying the store makes it yes again.
        const LineContainer copy = store;
        EXPECT_EQ(copy.x_never_decreases(), c.never_decreases) << c.what;
        EXPECT_EQ(copy.finite_x_never_decrease(), c.finite_never_decrease) << c.what;
        store.clear();
        EXPECT_TRUE(store.x_never_decreases()) << c.what;
        EXPECT_NE(store.block_summary(), nullptr) << c.what;
    }
}

// The summary follows the points as they are added, from the first block on, also when the
// store is filled again after clear(), and costs far less than the points.
TEST(LineContainer, BlockSummaryFollowsThePoints) {
    LineContainer c;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 100000; ++i)
            c.add_point(i, i % 1000 == 999 ? 1e6 + round : std::sin(i * 0.01));
        const tarvik::BlockSummary* summary = c.block_summary();
        ASSERT_NE(summary, nullptr);
        EXPECT_EQ(summary->points(), 100000u / 32 * 32);
        const tarvik::YExtent all = summary->extent(c.x.data(), c.y.data(), 0, c.x.size());
        EXPECT_FALSE(all.gap);
        EXPECT_EQ(all.high, 1e6 + round);
        EXPECT_EQ(all.low, c.y_min);
        EXPECT_LE(summary->bytes(), (c.x.capacity() + c.y.capacity()) * sizeof(double) / 16);
        c.clear();
    }
}

TEST(LineContainer, RunsOfEqualStampsGiveEveryPointItsOwnStamp) {
    const std::vector<std::int64_t> stamps{5, 5, 5, 7, 7, 5, -1};
    tarvik::PointTimes times;
    for (const std::int64_t t : stamps)
        times.push_back(t);
    ASSERT_EQ(times.size(), stamps.size());
    for (std::size_t i = 0; i < stamps.size(); ++i)
        EXPECT_EQ(times[i], stamps[i]) << i;
    EXPECT_EQ(std::vector<std::int64_t>(times.begin(), times.end()), stamps);
    EXPECT_EQ(times.front(), 5);
    EXPECT_EQ(times.back(), -1);

    tarvik::PointTimes same = times;
    EXPECT_EQ(same, times);
    same.push_back(-1);
    EXPECT_FALSE(same == times);
    same.clear();
    EXPECT_TRUE(same.empty());
    EXPECT_EQ(same.begin(), same.end());
}

TEST(LineContainer, ClearEmptiesKeepsRoomAndForgetsWhereToResume) {
    LineContainer c;
    for (int i = 0; i < 500; ++i) {
        c.add_point(i, -i);
        c.note_line_taken();
    }
    c.resume.valid = true;
    c.resume.offset = 1234;
    c.resume.data_lines = 500;

    c.clear();
    EXPECT_EQ(c.count, 0);
    EXPECT_EQ(c.lines_taken, 0);
    expect_consistent(c);
    EXPECT_GE(c.x.capacity(), 500u);
    EXPECT_GE(c.y.capacity(), 500u);
    EXPECT_EQ(c.x_range(), kEmptyRange);
    EXPECT_EQ(c.y_range(), kEmptyRange);
    EXPECT_FALSE(c.resume.valid);
    EXPECT_EQ(c.resume.offset, 0);
    EXPECT_EQ(c.resume.data_lines, 0);

    // Ranges start afresh rather than remembering the old points.
    c.add_point(1000, 2000);
    EXPECT_EQ(c.x_range(), std::make_pair(1000.0, 1000.0));
    EXPECT_EQ(c.y_range(), std::make_pair(2000.0, 2000.0));
}

TEST(LineContainer, CopiesShareTheirPointsAndAreIndependent) {
    LineContainer source;
    source.add_point(1, 2, 10);
    source.note_line_taken();
    source.resume.valid = true;
    source.resume.offset = 4;

    LineContainer copy = source;
    EXPECT_TRUE(copy.x.shares_with(source.x));
    copy.add_point(50, -50, 20);
    copy.note_line_taken();
    copy.resume.offset = 99;
    // The source is appended to after its copy: it must not write over the copy's point.
    source.add_point(3, 4, 30);
    EXPECT_EQ(copy.x, (std::vector<double>{1, 50}));
    EXPECT_EQ(source.x, (std::vector<double>{1, 3}));
    EXPECT_EQ(source.y, (std::vector<double>{2, 4}));
    source = LineContainer(copy);
    source.clear();
    source.add_point(1, 2, 10);
    source.note_line_taken();
    source.resume.valid = true;
    source.resume.offset = 4;
    EXPECT_EQ(copy.x, (std::vector<double>{1, 50})) << "clearing a copy leaves the points";

    EXPECT_EQ(source.count, 1);
    expect_consistent(source);
    EXPECT_EQ(source.lines_taken, 1);
    EXPECT_EQ(source.x_range(), std::make_pair(1.0, 1.0));
    EXPECT_EQ(source.resume.offset, 4);
    EXPECT_EQ(copy.count, 2);
    EXPECT_EQ(copy.x_range(), std::make_pair(1.0, 50.0));

    LineContainer assigned;
    assigned.add_point(7, 7);
    assigned = source;
    EXPECT_EQ(assigned.x, source.x);
    EXPECT_EQ(assigned.time, source.time);
    EXPECT_EQ(assigned.lines_taken, 1);
    assigned.clear();
    EXPECT_EQ(source.count, 1);
    EXPECT_EQ(source.x.size(), 1u);

    LineContainer& self = assigned;
    assigned = self;  // self-assignment keeps the contents
    EXPECT_EQ(assigned.count, 0);
    source = static_cast<const LineContainer&>(source);
    EXPECT_EQ(source.count, 1);
    EXPECT_EQ(source.y, std::vector<double>{2});
}

}  // namespace
