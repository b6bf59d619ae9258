// "Follow data": after every data update the automatic ranges are fitted to the data again, on
// the axes whose range is automatic and not owned by x scrolling.
#include <gtest/gtest.h>

#include "memory_plot.h"
#include "view_ranges.h"

namespace tarvik {
namespace {

using testing::MemoryPlot;

TEST(FollowDataTest, AutomaticAxesAreFittedAgainToGrowingData) {
    MemoryPlot doc;
    doc.add_curve({{0, 0}, {10, 100}});  // automatic: x -1..11, y -10..110
    struct Case {
        const char* name;
        void (*set)(PlotViewState&);
        plot_limits expected;
    };
    const plot_limits untouched(0, 1, 0, 1);
    const Case cases[] = {
        {"both automatic", [](PlotViewState&) {}, {-1, 11, -10, 110}},
        {"off", [](PlotViewState& v) { v.m_FollowData = false; }, untouched},
        {"x fixed by hand", [](PlotViewState& v) { v.m_AutoX = false; }, {0, 1, -10, 110}},
        {"y fixed by hand", [](PlotViewState& v) { v.m_AutoY = false; }, {-1, 11, 0, 1}},
        {"auto x scroll owns x",
         [](PlotViewState& v) { v.m_AutoXScroll = true; },
         {0, 1, -10, 110}},
        {"the scroll bar owns x",
         [](PlotViewState& v) { v.m_XScrollbarMode = true; },
         {0, 1, -10, 110}},
        {"inverted y stays inverted",
         [](PlotViewState& v) { std::swap(v.m_YMin, v.m_YMax); },
         {-1, 11, 110, -10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlotViewState view;
        view.m_XMin = 0;
        view.m_XMax = 1;
        view.m_YMin = 0;
        view.m_YMax = 1;
        view.m_FollowData = true;
        c.set(view);
        const plot_limits before = view;
        const bool changed = follow_data(view, doc);
        EXPECT_EQ(view.m_XMin, c.expected.m_XMin);
        EXPECT_EQ(view.m_XMax, c.expected.m_XMax);
        EXPECT_EQ(view.m_YMin, c.expected.m_YMin);
        EXPECT_EQ(view.m_YMax, c.expected.m_YMax);
        EXPECT_EQ(changed, view.m_XMin != before.m_XMin || view.m_YMin != before.m_YMin);
        // Following never turns an axis's automatic range on or off.
        EXPECT_EQ(view.m_AutoX, c.name != std::string("x fixed by hand"));
    }
}

TEST(FollowDataTest, WithoutDataTheRangeWaits) {
    MemoryPlot doc;
    doc.add_curve({});
    PlotViewState view;
    view.m_FollowData = true;
    view.m_YMin = 5;
    view.m_YMax = -5;  // inverted, and no data to fit: left exactly as it is
    const plot_limits before = view;
    EXPECT_FALSE(follow_data(view, doc));
    EXPECT_EQ(view.m_XMin, before.m_XMin);
    EXPECT_EQ(view.m_YMin, 5);
    EXPECT_EQ(view.m_YMax, -5);
}

}  // namespace
}  // namespace tarvik
