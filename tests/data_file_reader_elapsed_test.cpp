// The data file reader: elapsed time as x.
#include "data_file_reader_fixture.h"

namespace {

using namespace reader_test;

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

}  // namespace
