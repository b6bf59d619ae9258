// How the x and y ranges follow the data: automatic ranges, automatic x scroll and the
// x-scrollbar mode, on plots whose points are held in memory.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <string>
#include <utility>

#include "line_container.h"
#include "memory_plot.h"
#include "plot_view_state.h"
#include "view_ranges.h"

namespace tarvik {
namespace {

using testing::MemoryPlot;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Points (x, y); a NaN x is a gap, the point a gap line in a data file gives.
LineContainer lines(std::initializer_list<std::pair<double, double>> points) {
    LineContainer store;
    for (const auto& [x, y] : points) {
        if (std::isnan(x)) {
            store.add_point(kNaN, kNaN, 0);
        } else {
            store.add_point(x, y, 0);
        }
    }
    return store;
}

// x values with y 1.
LineContainer xs(std::initializer_list<double> values) {
    LineContainer store;
    for (double x : values)
        store.add_point(x, 1.0, 0);
    return store;
}

// The x values, for messages.
std::string describe(const LineContainer& store) {
    std::string text;
    for (double x : store.x)
        text += " " + std::to_string(x);
    return text;
}

// Appends a curve of one generation holding `store`.
void add(MemoryPlot& plot, LineContainer store) {
    plot.add_curve({});
    plot.generations(plot.curve_count() - 1).front() = std::move(store);
}

// Curve i's data becomes `store`, as a full re-read of a changed file leaves it.
void replace(MemoryPlot& plot, int i, LineContainer store) {
    plot.generations(i).front() = std::move(store);
}

class RangesTest : public ::testing::Test {
  protected:
    RangesTest() {
        view_.m_ClientRect = {0, 0, 800, 600};
        set_x(0.0, 10.0);
    }
    void add_curve(LineContainer store) { add(doc_, std::move(store)); }
    void replace(int i, LineContainer store) { tarvik::replace(doc_, i, std::move(store)); }
    void set_x(double min, double max) {
        view_.m_XMin = min;
        view_.m_XMax = max;
    }
    void expect_x(double min, double max, int ticks) const {
        EXPECT_DOUBLE_EQ(view_.m_XMin, min);
        EXPECT_DOUBLE_EQ(view_.m_XMax, max);
        EXPECT_EQ(view_.m_XTicks, ticks);
    }

    MemoryPlot doc_;
    PlotViewState view_;
};

TEST(AutomaticRangeTest, PadsATenthOfTheSpanOnEachSide) {
    struct Case {
        double min, max, low, high;
    };
    const Case cases[] = {
        {0.0, 10.0, -1.0, 11.0},
        {3.0, 3.0, 2.99, 3.01},  // flat: shown 0.01 either side
        {-5.0, -5.0, -5.01, -4.99},
        {0.0, 0.000005, -0.01, 0.010005},  // nearly flat counts as flat
        {-1e308, 1e308, -1e308, 1e308},    // cannot be padded within doubles
    };
    for (const Case& c : cases) {
        const auto [low, high] = automatic_range(c.min, c.max);
        EXPECT_DOUBLE_EQ(low, c.low) << c.min << " … " << c.max;
        EXPECT_DOUBLE_EQ(high, c.high) << c.min << " … " << c.max;
    }
}

TEST_F(RangesTest, AutomaticRangesSpanEveryCurve) {
    add_curve(lines({{0.0, 1.0}, {4.0, 3.0}}));
    add_curve(lines({{-2.0, 3.0}, {1.0, 3.0}}));
    view_.m_AutoX = view_.m_AutoY = false;
    EXPECT_TRUE(apply_automatic_x_range(view_, doc_));
    EXPECT_TRUE(apply_automatic_y_range(view_, doc_));
    EXPECT_DOUBLE_EQ(view_.m_XMin, -2.6);
    EXPECT_DOUBLE_EQ(view_.m_XMax, 4.6);
    EXPECT_DOUBLE_EQ(view_.m_YMin, 0.8);
    EXPECT_DOUBLE_EQ(view_.m_YMax, 3.2);
    EXPECT_TRUE(view_.m_AutoX);
    EXPECT_TRUE(view_.m_AutoY);

    // All y values 3: the flat signal shows as 2.99 … 3.01.
    replace(0, lines({{0.0, 3.0}, {4.0, 3.0}}));
    apply_automatic_y_range(view_, doc_);
    EXPECT_DOUBLE_EQ(view_.m_YMin, 2.99);
    EXPECT_DOUBLE_EQ(view_.m_YMax, 3.01);
}

// No finite value anywhere: the range stays usable instead of taking the empty extents.
TEST_F(RangesTest, AutomaticRangeWithoutDataKeepsTheRange) {
    const auto check = [this](const char* what) {
        view_.m_XMin = 1.0;
        view_.m_XMax = 2.0;
        view_.m_YMin = -1.0;
        view_.m_YMax = 5.0;
        view_.m_AutoX = view_.m_AutoY = false;
        EXPECT_FALSE(apply_automatic_x_range(view_, doc_)) << what;
        EXPECT_FALSE(apply_automatic_y_range(view_, doc_)) << what;
        EXPECT_EQ(view_.m_XMin, 1.0) << what;
        EXPECT_EQ(view_.m_XMax, 2.0) << what;
        EXPECT_EQ(view_.m_YMin, -1.0) << what;
        EXPECT_EQ(view_.m_YMax, 5.0) << what;
        EXPECT_TRUE(view_.m_AutoX && view_.m_AutoY) << what;
    };
    check("no curves");
    add_curve(lines({{kNaN, 0.0}}));
    check("gap lines only");
}

TEST(AutoXScrollTest, TheWindowFollowsTheLatestX) {
    struct Case {
        double min, max;
        LineContainer data;
        double new_min, new_max;
        bool moved;
    };
    const Case cases[] = {
        {0, 10, xs({0, 5, 10}), 9, 19, true},   // reached the right edge
        {0, 10, xs({0, 15}), 14, 24, true},     // passed it
        {0, 10, xs({2, 5}), 0, 10, false},      // inside
        {0, 10, xs({-1}), -1, 9, true},         // restarted; fits from its start
        {100, 110, xs({-50, 5}), 4, 14, true},  // restarted; too long to show from the start
        {0, 10, xs({0}), 0, 10, false},         // at the left edge already
    };
    for (const Case& c : cases) {
        MemoryPlot doc;
        add(doc, c.data);
        PlotViewState view;
        view.m_XMin = c.min;
        view.m_XMax = c.max;
        EXPECT_EQ(auto_x_scroll(view, doc), c.moved) << describe(c.data);
        EXPECT_DOUBLE_EQ(view.m_XMin, c.new_min) << describe(c.data);
        EXPECT_DOUBLE_EQ(view.m_XMax, c.new_max) << describe(c.data);
    }
}

TEST_F(RangesTest, AutoXScrollIgnoresMissingAndInfiniteData) {
    EXPECT_FALSE(auto_x_scroll(view_, doc_));
    add_curve(xs({1, std::numeric_limits<double>::infinity()}));
    ASSERT_EQ(doc_.latest_x(), std::numeric_limits<double>::infinity());
    EXPECT_FALSE(auto_x_scroll(view_, doc_));
    expect_x(0.0, 10.0, 5);
}

TEST_F(RangesTest, EnteringScrollbarModeWithoutDataIsRefused) {
    view_.m_AutoXScroll = true;
    const auto check = [this](const char* what) {
        EXPECT_EQ(enter_x_scrollbar_mode(view_, doc_).outcome, XScrollbarChange::Outcome::NoData)
            << what;
        EXPECT_FALSE(view_.m_XScrollbarMode) << what;
        EXPECT_TRUE(view_.m_AutoXScroll) << what;
        EXPECT_FALSE(view_.m_AutoXScrollSuspended) << what;
        EXPECT_TRUE(view_.m_PanAllowed) << what;
        expect_x(0.0, 10.0, 5);
    };
    check("no curves");
    add_curve(lines({{kNaN, 0.0}}));
    check("gap lines only");
}

TEST_F(RangesTest, EnteringScrollbarModeNeedsAPageWithWidthAndSpan) {
    add_curve(xs({1, 2}));
    view_.m_ClientRect = {0, 0, 0, 600};
    EXPECT_EQ(enter_x_scrollbar_mode(view_, doc_).outcome, XScrollbarChange::Outcome::EmptyPage);
    view_.m_ClientRect = {0, 0, 800, 600};
    set_x(5.0, 5.0);
    EXPECT_EQ(enter_x_scrollbar_mode(view_, doc_).outcome, XScrollbarChange::Outcome::EmptyPage);
    EXPECT_FALSE(view_.m_XScrollbarMode);
}

TEST_F(RangesTest, EnteringScrollbarModeMakesTheWindowOnePage) {
    add_curve(xs({1, 8}));
    view_.m_AutoXScroll = true;
    const XScrollbarChange r = enter_x_scrollbar_mode(view_, doc_);
    EXPECT_EQ(r.outcome, XScrollbarChange::Outcome::Entered);
    EXPECT_FALSE(r.changed);
    EXPECT_TRUE(view_.m_XScrollbarMode);
    EXPECT_FALSE(view_.m_AutoXScroll);
    EXPECT_TRUE(view_.m_AutoXScrollSuspended);
    EXPECT_FALSE(view_.m_PanAllowed);
    EXPECT_EQ(view_.m_PageSpan, 10.0);
    EXPECT_EQ(view_.m_PageWidth, 800);
    EXPECT_EQ(view_.m_PageTicks, 5);
    expect_x(0.0, 10.0, 5);
    EXPECT_EQ(view_.m_ClientRect.right, 800);
}

TEST(XScrollbarEnterTest, ThePlotReachesBackToTheEarliestAndPastTheLatestX) {
    struct Case {
        double min, max;
        LineContainer data;
        double new_min, new_max;
        int ticks, right, scroll;
        bool changed;
    };
    const Case cases[] = {
        {0, 10, xs({1, 25}), 0, 30, 13, 2400, 0, true},    // two more pages
        {0, 10, xs({-5, 8}), -5, 10, 7, 1200, 400, true},  // half a page back
        {0, 10, xs({-5, 25}), -5, 30, 15, 2800, 400, true},
        {0, 10, xs({0, 5}), 0, 10, 5, 800, 0, false},  // starts at the left edge
        {0, 1, xs({0, 0.5}), 0, 1, 5, 800, 0, false},  // the tick count keeps too
    };
    for (const Case& c : cases) {
        MemoryPlot doc;
        add(doc, c.data);
        PlotViewState view;
        view.m_ClientRect = {0, 0, 800, 600};
        view.m_XMin = c.min;
        view.m_XMax = c.max;
        const XScrollbarChange r = enter_x_scrollbar_mode(view, doc);
        EXPECT_EQ(r.changed, c.changed) << describe(c.data);
        EXPECT_DOUBLE_EQ(view.m_XMin, c.new_min) << describe(c.data);
        EXPECT_DOUBLE_EQ(view.m_XMax, c.new_max) << describe(c.data);
        EXPECT_EQ(view.m_XTicks, c.ticks) << describe(c.data);
        EXPECT_EQ(view.m_ClientRect.right, c.right) << describe(c.data);
        EXPECT_EQ(r.scroll_position, c.scroll) << describe(c.data);
    }
}

TEST_F(RangesTest, NewDataAddsWholePagesSharingTheJointTick) {
    add_curve(xs({1, 9}));
    enter_x_scrollbar_mode(view_, doc_);

    replace(0, xs({1, 25}));
    EXPECT_TRUE(extend_x_scrollbar(view_, doc_));
    expect_x(0.0, 30.0, 13);
    EXPECT_EQ(view_.m_ClientRect.right, 2400);
    EXPECT_FALSE(extend_x_scrollbar(view_, doc_));

    replace(0, xs({1, 30}));  // exactly at the end: one more page
    EXPECT_TRUE(extend_x_scrollbar(view_, doc_));
    expect_x(0.0, 40.0, 17);
    EXPECT_EQ(view_.m_ClientRect.right, 3200);

    replace(0, xs({1, 75}));
    EXPECT_TRUE(extend_x_scrollbar(view_, doc_));
    expect_x(0.0, 80.0, 33);
    EXPECT_EQ(view_.m_ClientRect.right, 6400);
}

// A page of more ticks than pixels (from a file) adds more than int32 holds after a few pages:
// the count stays at its top and the plot goes on growing with the data.
TEST_F(RangesTest, PagesOfHugeTickCountsStillFollowTheData) {
    add_curve(xs({1, 9}));
    view_.m_XTicks = 2147483647;
    enter_x_scrollbar_mode(view_, doc_);
    replace(0, xs({1, 25}));
    EXPECT_TRUE(extend_x_scrollbar(view_, doc_));
    expect_x(0.0, 30.0, 2147483647);
    EXPECT_EQ(view_.m_ClientRect.right, 2400);
}

TEST(XScrollbarEnterTest, ReachingBackKeepsThePageTickSpacing) {
    // Page span 10 with 5 ticks (every 2.5), window 5..15, earliest x 0. The count formula
    // round((n * page ticks + 2) / page span + ticks) with n = 5 gives round(7.7) = 8 ticks,
    // whose spacing (15 / 7) no longer matches the page's; adding the page's spacing back to 0
    // gives 7 ticks: 0, 2.5, ..., 15.
    MemoryPlot doc;
    add(doc, xs({0, 12}));
    PlotViewState view;
    view.m_ClientRect = {0, 0, 800, 600};
    view.m_XMin = 5;
    view.m_XMax = 15;
    EXPECT_TRUE(enter_x_scrollbar_mode(view, doc).changed);
    EXPECT_EQ(view.m_XMin, 0.0);
    EXPECT_EQ(view.m_XMax, 15.0);
    EXPECT_EQ(view.m_XTicks, 7);
    EXPECT_EQ(view.m_ClientRect.right, 1200);
}

// Latest x values k pages on, written in decimal as a producer prints them, lie on a page
// boundary only within rounding; the pages added must be those of adding one page after
// another until m_XMax passes the latest x.
TEST(XScrollbarExtendTest, PagesAreAddedOneAtATimeUpToAPageBoundary) {
    for (const int span_hundredths : {9995, 6792}) {
        MemoryPlot doc;
        add(doc, xs({1}));
        PlotViewState entered;
        entered.m_ClientRect = {0, 0, 800, 600};
        entered.m_XMin = 0;
        entered.m_XMax = span_hundredths / 100.0;
        enter_x_scrollbar_mode(entered, doc);
        for (int k = 1; k <= 40; ++k) {
            const long long hundredths = static_cast<long long>(span_hundredths) * k;
            char latest[40];
            std::snprintf(latest, sizeof latest, "%lld.%02lld", hundredths / 100, hundredths % 100);
            SCOPED_TRACE(latest);
            replace(doc, 0, xs({1, std::strtod(latest, nullptr)}));
            const double a = *doc.latest_x();

            PlotViewState view = entered;
            double max = view.m_XMax;
            int ticks = view.m_XTicks;
            do {
                max += view.m_PageSpan;
                ticks += view.m_PageTicks - 1;
            } while (!(max > a));
            EXPECT_TRUE(extend_x_scrollbar(view, doc));
            EXPECT_EQ(view.m_XMax, max);
            EXPECT_EQ(view.m_XTicks, ticks);
        }
    }
}

TEST(XScrollbarExtendTest, RestartedDataStartsOverAtOnePage) {
    struct Case {
        LineContainer data;
        double new_min, new_max;
    };
    const Case cases[] = {
        {xs({-8, -4}), -8, 2},   // the restarted data fits from its start
        {xs({-20, -4}), -5, 5},  // too long: the latest x a tenth in from the left
    };
    for (const Case& c : cases) {
        MemoryPlot doc;
        add(doc, xs({1, 25}));
        PlotViewState view;
        view.m_ClientRect = {0, 0, 800, 600};
        view.m_XMin = 0;
        view.m_XMax = 10;
        enter_x_scrollbar_mode(view, doc);
        ASSERT_EQ(view.m_XMax, 30.0);

        replace(doc, 0, c.data);
        EXPECT_TRUE(extend_x_scrollbar(view, doc)) << describe(c.data);
        EXPECT_DOUBLE_EQ(view.m_XMin, c.new_min) << describe(c.data);
        EXPECT_DOUBLE_EQ(view.m_XMax, c.new_max) << describe(c.data);
        EXPECT_EQ(view.m_XTicks, 5) << describe(c.data);
        EXPECT_EQ(view.m_ClientRect.right, 800) << describe(c.data);
    }
}

TEST_F(RangesTest, ExtensionRefusesWhatItCannotDo) {
    add_curve(xs({1, 9}));
    EXPECT_FALSE(extend_x_scrollbar(view_, doc_)) << "not in the mode";
    enter_x_scrollbar_mode(view_, doc_);

    // Pages enough to reach this would make the plot wider than any scroll bar.
    replace(0, xs({1, 1e300}));
    EXPECT_FALSE(extend_x_scrollbar(view_, doc_));
    expect_x(0.0, 10.0, 5);
    EXPECT_EQ(view_.m_ClientRect.right, 800);

    // A page with no span or no width cannot be added.
    view_.m_PageSpan = 0.0;
    EXPECT_FALSE(extend_x_scrollbar(view_, doc_));
    view_.m_PageSpan = 10.0;
    view_.m_PageWidth = 0;
    EXPECT_FALSE(extend_x_scrollbar(view_, doc_));
    expect_x(0.0, 10.0, 5);

    // A page too small to move m_XMax at its magnitude never passes the latest x.
    view_.m_PageWidth = 800;
    view_.m_PageSpan = 1e-16;
    replace(0, xs({1, 10}));
    EXPECT_FALSE(extend_x_scrollbar(view_, doc_));
    expect_x(0.0, 10.0, 5);
}

TEST_F(RangesTest, LeavingShowsThePageAtTheScrollPosition) {
    add_curve(xs({-5, 25}));
    const PixelRect client{0, 0, 640, 480};
    struct Case {
        int scroll;
        double min;
    };
    // The plot runs from x -5 at pixel 0, 80 pixels per x unit.
    for (const Case& c : {Case{0, -5.0}, Case{400, 0.0}, Case{2000, 20.0}}) {
        PlotViewState view;
        view.m_ClientRect = {0, 0, 800, 600};
        view.m_XMin = 0;
        view.m_XMax = 10;
        enter_x_scrollbar_mode(view, doc_);
        ASSERT_EQ(view.m_XMin, -5.0);
        leave_x_scrollbar_mode(view, c.scroll, client);
        EXPECT_FALSE(view.m_XScrollbarMode);
        EXPECT_FALSE(view.m_AutoXScroll);
        EXPECT_TRUE(view.m_PanAllowed);
        EXPECT_DOUBLE_EQ(view.m_XMin, c.min) << c.scroll;
        EXPECT_DOUBLE_EQ(view.m_XMax, c.min + 10.0) << c.scroll;
        EXPECT_EQ(view.m_XTicks, 5);
        EXPECT_EQ(view.m_ClientRect, client);
    }
}

TEST_F(RangesTest, LeavingTurnsASuspendedAutoScrollBackOn) {
    add_curve(xs({-5, 25}));
    view_.m_AutoXScroll = true;
    enter_x_scrollbar_mode(view_, doc_);
    leave_x_scrollbar_mode(view_, 1234, {0, 0, 640, 480});
    EXPECT_TRUE(view_.m_AutoXScroll);
    EXPECT_FALSE(view_.m_AutoXScrollSuspended);
    expect_x(-5.0, 5.0, 5);

    // Not in the mode: nothing to leave.
    view_.m_XTicks = 9;
    leave_x_scrollbar_mode(view_, 100, {0, 0, 320, 240});
    expect_x(-5.0, 5.0, 9);
    EXPECT_EQ(view_.m_ClientRect, (PixelRect{0, 0, 640, 480}));
}

TEST_F(RangesTest, LeavingWithoutAPageWidthKeepsTheLeftEnd) {
    add_curve(xs({1, 25}));
    enter_x_scrollbar_mode(view_, doc_);
    view_.m_PageWidth = 0;
    leave_x_scrollbar_mode(view_, 400, {0, 0, 800, 600});
    expect_x(0.0, 10.0, 5);
}

}  // namespace
}  // namespace tarvik

namespace tarvik {
namespace {

// The ranges read the plot's data through PlotData alone: points held in memory will do, and
// every generation counts toward the extents.
TEST(PlotDataRangesTest, RangesFollowDataHeldInMemory) {
    MemoryPlot plot;
    PlotViewState view;
    EXPECT_FALSE(apply_automatic_x_range(view, plot));
    plot.add_curve({{0.0, 1.0}, {4.0, 3.0}});
    plot.generations(0).emplace_back();
    plot.generations(0).back().add_point(-2.0, 3.0, 0);
    EXPECT_TRUE(apply_automatic_x_range(view, plot));
    EXPECT_TRUE(apply_automatic_y_range(view, plot));
    EXPECT_DOUBLE_EQ(view.m_XMin, -2.6);
    EXPECT_DOUBLE_EQ(view.m_XMax, 4.6);
    EXPECT_DOUBLE_EQ(view.m_YMin, 0.8);
    EXPECT_DOUBLE_EQ(view.m_YMax, 3.2);
    EXPECT_EQ(plot.earliest_x(), 0.0);  // the newest generations only
    EXPECT_EQ(plot.latest_x(), 4.0);
}

}  // namespace
}  // namespace tarvik
