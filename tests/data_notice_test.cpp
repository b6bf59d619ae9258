// Why a curve's data stop or wait: the facts the reader and the file monitor report, how a
// plot keeps them per curve, and the status bar's words for them.
#include <gtest/gtest.h>

#include <filesystem>

#include "curve_notices.h"
#include "data_file_reader_fixture.h"
#include "file_monitor.h"
#include "plot_view_state.h"
#include "status_text.h"
#include "tarvik_doc.h"
#include "timer_tick.h"

namespace tarvik {
void PrintTo(const DataNotice& n, std::ostream* os) {
    *os << "{kind " << static_cast<int>(n.kind) << ", line " << n.line << ", taken " << n.taken
        << "}";
}
}  // namespace tarvik

namespace {

using namespace reader_test;
using tarvik::CurveNotice;
using tarvik::CurveNotices;
using tarvik::DataNotice;
using Notices = std::vector<DataNotice>;
using Kind = DataNotice::Kind;

DataNotice empty_line(std::int64_t line) {
    return DataNotice{Kind::EmptyLine, line, 0};
}
DataNotice waiting(std::int64_t lines, std::int64_t taken) {
    return DataNotice{Kind::WaitingToGrow, lines, taken};
}
const DataNotice kMissing{Kind::FileMissing, 0, 0};

// As the document reads: new lines only into the container it keeps (cleared for a full update).
Notices read_new_lines(LineContainer& c, const std::string& path) {
    return tarvik::read_data_file(spec_for(path, 0, 1, true), c);
}

TEST_F(ReaderTest, EmptyLineIsReportedWithItsLineNumber) {
    struct Case {
        const char* name;
        std::string bytes;
        Notices notices;
    };
    const Case cases[] = {
        {"no empty line", "1 1\n2 2\n", {}},
        {"counted with comments", "# t y\n1 1\n\n2 2\n", {empty_line(3)}},
        {"at the start", "\n1 1\n", {empty_line(1)}},
        {"at the end", "1 1\n2 2\n\n", {empty_line(3)}},
        {"after a byte-order mark", "\xEF\xBB\xBF\n1 1\n", {empty_line(1)}},
        {"a carriage return is no empty line", "1 1\r\n\r\n2 2\r\n", {}},
        {"an unfinished empty line waits", "1 1\n2 2", {}},
        {"empty file", "", {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        LineContainer c;
        EXPECT_EQ(read_new_lines(c, dir_.write("a.txt", k.bytes)), k.notices);
    }
}

TEST_F(ReaderTest, EmptyLineNumberHoldsWhileTheReadsContinueWhereTheyStopped) {
    const std::string path = dir_.write("a.txt", "# t y\n1 1\n2 2\n");
    LineContainer c;
    EXPECT_EQ(read_new_lines(c, path), Notices{});
    dir_.append("a.txt", "\n3 3\n");
    EXPECT_EQ(read_new_lines(c, path), Notices{empty_line(4)});
    dir_.append("a.txt", "4 4\n");
    EXPECT_EQ(read_new_lines(c, path), Notices{empty_line(4)});
    EXPECT_TRUE(has_points(c, {{1, 1}, {2, 2}}));

    // The empty line taken out: the notice goes and the lines after it arrive.
    dir_.write("a.txt", "# t y\n1 1\n2 2\n3 3\n4 4\n");
    EXPECT_EQ(read_new_lines(c, path), Notices{});
    EXPECT_TRUE(has_points(c, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}));
}

TEST_P(BothWays, NewLinesOnlyWaitsWhileTheFileHoldsFewerLinesThanTaken) {
    const std::string path = write("a.txt", "1 1\n2 2\n3 3\n4 4\n5 5\n");
    LineContainer c;
    EXPECT_EQ(read_new_lines(c, path), Notices{});

    // Truncated and begun again (a rotated log): nothing is taken until line 6 exists.
    write("a.txt", "7 7\n8 8\n");
    EXPECT_EQ(read_new_lines(c, path), Notices{waiting(2, 5)});
    write("a.txt", "");
    EXPECT_EQ(read_new_lines(c, path), Notices{waiting(0, 5)});
    write("a.txt", "7 7\n8 8\n9 9\n10 10\n11 11\n12 12\n");
    EXPECT_EQ(read_new_lines(c, path), Notices{});
    EXPECT_EQ(c.count, 6);
    EXPECT_EQ(c.x.back(), 12);

    // A full update starts from an empty store and never waits.
    write("a.txt", "7 7\n");
    c.clear();
    EXPECT_EQ(read_new_lines(c, path), Notices{});
}

TEST_P(BothWays, EmptyLineIsReportedOnlyWhereItEndsTheData) {
    LineContainer c;
    const Notices found = read_new_lines(c, write("a.txt", "1 1\n\n2 2\n"));
    if (GetParam() == Way::WholeFile)
        EXPECT_EQ(found, Notices{empty_line(2)});
    else
        EXPECT_EQ(found, Notices{});  // the line stream reads on past it
}

INSTANTIATE_TEST_SUITE_P(Reader, BothWays, ::testing::Values(Way::WholeFile, Way::LineStream),
                         way_name);

TEST_F(ReaderTest, FileThatCannotBeReadReportsNothingAndTheMonitorSaysItIsMissing) {
    const std::string path = dir_.write("a.txt", "1 1\n");
    tarvik::FileMonitor monitor;
    ASSERT_TRUE(monitor.add(path));
    EXPECT_EQ(monitor.notice(0), std::nullopt);

    std::filesystem::remove(path);
    EXPECT_EQ(monitor.check(0), tarvik::FILE_MISSING);
    EXPECT_EQ(monitor.notice(0), kMissing);
    LineContainer c;
    prompts_.answer_next(prompt::Button::Ignore);
    EXPECT_EQ(read_new_lines(c, path), Notices{});
    expect_no_prompts_ = false;

    dir_.write("a.txt", "1 1\n2 2\n");
    monitor.check(0);
    EXPECT_EQ(monitor.notice(0), std::nullopt);
}

TEST(CurveNoticesTest, EachNoticeKeepsTheMomentItFirstApplied) {
    CurveNotices n;
    n.add_curve();
    n.add_curve();
    EXPECT_TRUE(n.all().empty());
    std::uint64_t revision = n.revision();
    const auto moved = [&] {
        const bool m = n.revision() != revision;
        revision = n.revision();
        return m;
    };

    n.set_read(1, {empty_line(7)});
    n.set_read(0, {waiting(2, 5)});
    EXPECT_TRUE(moved());
    EXPECT_EQ(n.all(), (std::vector<CurveNotice>{{1, empty_line(7)}, {0, waiting(2, 5)}}));

    // Found again by the next read: still the older one, also when its numbers moved.
    n.set_read(1, {empty_line(7)});
    EXPECT_FALSE(moved());
    n.set_read(1, {empty_line(9)});
    EXPECT_TRUE(moved());
    EXPECT_EQ(n.all(), (std::vector<CurveNotice>{{1, empty_line(9)}, {0, waiting(2, 5)}}));
    n.set_read(0, {empty_line(1), waiting(3, 5)});
    EXPECT_TRUE(moved());
    EXPECT_EQ(n.all(), (std::vector<CurveNotice>{
                           {1, empty_line(9)}, {0, waiting(3, 5)}, {0, empty_line(1)}}));
    n.set_read(0, {waiting(3, 5)});
    EXPECT_TRUE(moved());

    // A missing file stands for everything its last read found, until the file is back.
    n.set_checked(1, kMissing);
    EXPECT_TRUE(moved());
    EXPECT_EQ(n.all(), (std::vector<CurveNotice>{{0, waiting(3, 5)}, {1, kMissing}}));
    n.set_checked(1, std::nullopt);
    EXPECT_TRUE(moved());
    EXPECT_EQ(n.all().back(), (CurveNotice{1, empty_line(9)}));

    // A read that finds nothing wrong ends the notice; removing a curve moves the next down.
    n.set_read(0, {});
    EXPECT_TRUE(moved());
    n.remove_curve(0);
    EXPECT_TRUE(moved());
    EXPECT_EQ(n.all(), (std::vector<CurveNotice>{{0, empty_line(9)}}));
    n.set_read(5, {kMissing});  // no such curve
    EXPECT_FALSE(moved());
}

TEST_F(ReaderTest, PlotShowsANoticeWhileItAppliesAndTheTimerSaysWhenItChanges) {
    const std::string path = dir_.write("a.txt", "1 1\n\n2 2\n");
    tarvik::CTarvikDoc doc;
    ASSERT_TRUE(doc.append_curve(path, 0, 1, "", false));
    ASSERT_TRUE(doc.append_curve(path, 0, 1, "", true));
    tarvik::PlotViewState view;
    view.m_TimerId = 1;
    const std::string ends = "data ends at line 2 of " + path + ": an empty line";
    // Both curves found it; it is said once.
    EXPECT_EQ(tarvik::notices_tooltip(doc), ends);
    EXPECT_EQ(tarvik::status_text(doc, view, 0), "2 curves, 2 points  |  " + ends);

    std::filesystem::remove(path);
    EXPECT_TRUE(tarvik::timer_tick(doc, view, 1).notices_changed);
    const std::string gone =
        path + " no longer exists: the curve keeps its points until it is back";
    EXPECT_EQ(tarvik::notices_tooltip(doc), gone);
    EXPECT_FALSE(tarvik::timer_tick(doc, view, 1).notices_changed);

    dir_.write("a.txt", "1 1\n2 2\n");
    const tarvik::TimerTickResult back = tarvik::timer_tick(doc, view, 1);
    EXPECT_TRUE(back.updated);
    EXPECT_TRUE(back.notices_changed);
    EXPECT_EQ(tarvik::notices_tooltip(doc), "");
    view.m_Frozen = true;
    EXPECT_EQ(tarvik::status_text(doc, view, 0), "2 curves, 4 points  |  Frozen");
}

TEST(StatusTextTest, EachNoticeInWords) {
    EXPECT_EQ(tarvik::notice_text(empty_line(1234), "run.csv"),
              "data ends at line 1,234 of run.csv: an empty line");
    EXPECT_EQ(tarvik::notice_text(waiting(120, 5000), "run.csv"),
              "run.csv shrank or was replaced: waiting for it to grow past the 5,000 data lines "
              "already taken (it has 120)");
    EXPECT_EQ(tarvik::notice_text(kMissing, "run.csv"),
              "run.csv no longer exists: the curve keeps its points until it is back");
}

TEST_F(ReaderTest, StatusLineShowsTheNewestNoticeAndCountsTheOthers) {
    tarvik::CTarvikDoc doc;
    ASSERT_TRUE(doc.append_curve(dir_.write("a.txt", "1 1\n\n"), 0, 1, "", false));
    ASSERT_TRUE(doc.append_curve(dir_.write("b.txt", "\n"), 0, 1, "", false));
    tarvik::PlotViewState view;
    view.m_Frozen = true;
    const std::string a = "data ends at line 2 of " + dir_.file("a.txt") + ": an empty line";
    const std::string b = "data ends at line 1 of " + dir_.file("b.txt") + ": an empty line";
    EXPECT_EQ(tarvik::status_text(doc, view, 0),
              "2 curves, 1 point  |  Frozen  |  " + b + "  (1 more)");
    EXPECT_EQ(tarvik::notices_tooltip(doc), a + "\n" + b);
}

}  // namespace
