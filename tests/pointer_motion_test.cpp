// Dragging, wheel zoom and the printed page's geometry in numbers.
#include <gtest/gtest.h>

#include "memory_plot.h"
#include "pointer_motion.h"
#include "print_geometry.h"

namespace tarvik {
namespace {

TEST(PointerMotion, DragMovesTheRangesScaledByTheClientRectangle) {
    plot_limits r(0, 10, -1, 1);
    // 400 × 200 client: 10 / −400 per pixel in x, 2 / 200 in y.
    pan_ranges(r, PixelRect{0, 0, 400, 200}, 40, -20);
    EXPECT_DOUBLE_EQ(r.m_XMin, -1.0);  // dragged right: smaller x values
    EXPECT_DOUBLE_EQ(r.m_XMax, 9.0);
    EXPECT_DOUBLE_EQ(r.m_YMin, -1.2);  // dragged up: smaller y values
    EXPECT_DOUBLE_EQ(r.m_YMax, 0.8);
    // An inverted y range moves the other way; a rectangle without extent moves nothing.
    plot_limits inverted(0, 10, 1, -1);
    pan_ranges(inverted, PixelRect{0, 0, 0, 200}, 40, 20);
    EXPECT_DOUBLE_EQ(inverted.m_XMin, 0.0);
    EXPECT_DOUBLE_EQ(inverted.m_YMin, 0.8);
    EXPECT_DOUBLE_EQ(inverted.m_YMax, -1.2);
}

TEST(PointerMotion, WheelZoomKeepsTheValueUnderThePointer) {
    EXPECT_DOUBLE_EQ(wheel_zoom_factor(120), 0.8);
    EXPECT_DOUBLE_EQ(wheel_zoom_factor(-240), 1.5625);
    const PixelRect area{0, 0, 100, 100};
    plot_limits r(0, 100, 0, 100);
    ZoomAxes changed = zoom_ranges(r, area, 25, 50, 0.5, ZoomAxes{true, false});
    EXPECT_TRUE(changed.x);
    EXPECT_FALSE(changed.y);
    EXPECT_DOUBLE_EQ(r.m_XMin, 12.5);
    EXPECT_DOUBLE_EQ(r.m_XMax, 62.5);
    EXPECT_DOUBLE_EQ(r.m_YMax, 100.0);
    changed = zoom_ranges(r, area, 0, 25, 2.0, ZoomAxes{});  // y pixel 25 is the value 75
    EXPECT_DOUBLE_EQ(r.m_YMin, -75.0);
    EXPECT_DOUBLE_EQ(r.m_YMax, 125.0);
    // A span that would vanish stays.
    plot_limits tiny(0, 1e-300, 0, 1);
    EXPECT_FALSE(zoom_ranges(tiny, area, 50, 50, 1e-20, ZoomAxes{}).x);
    EXPECT_EQ(tiny.m_XMax, 1e-300);
}

TEST(PointerMotion, DoubleClickRestoresTheDataRangesKeepingAnInvertedY) {
    testing::MemoryPlot plot;
    plot.add_curve({{0, 10}, {10, 30}});
    struct Row {
        bool inverted;
        bool scrollbar;
        double y_min, y_max, x_min;
    };
    for (const Row row :
         {Row{false, false, 8, 32, -1}, Row{true, false, 32, 8, -1}, Row{true, true, 32, 8, 3}}) {
        PlotViewState state;
        state.m_XMin = 3;
        state.m_XMax = 4;
        state.m_YMin = row.inverted ? 5 : 0;
        state.m_YMax = row.inverted ? 0 : 5;
        state.m_AutoY = false;
        state.m_XScrollbarMode = row.scrollbar;
        restore_data_ranges(state, plot);
        EXPECT_DOUBLE_EQ(state.m_YMin, row.y_min) << row.inverted << row.scrollbar;
        EXPECT_DOUBLE_EQ(state.m_YMax, row.y_max) << row.inverted << row.scrollbar;
        EXPECT_DOUBLE_EQ(state.m_XMin, row.x_min) << row.inverted << row.scrollbar;
        EXPECT_TRUE(state.m_AutoY);
    }
}

TEST(PrintGeometry, FillsThePageWidthAndKeepsTheOffset) {
    auto g = print_geometry(PixelRect{0, 0, 800, 600}, 4800);
    ASSERT_TRUE(g);
    EXPECT_DOUBLE_EQ(g->scale, 6.0);
    EXPECT_EQ(g->rect, (PixelRect{0, 0, 4800, 3600}));
    g = print_geometry(PixelRect{10, 20, 810, 621}, 4000);  // scale 5, bottom rounded
    EXPECT_EQ(g->rect, (PixelRect{10, 20, 4050, 3105}));
    g = print_geometry(PixelRect{0, 0, 3, 3}, 4);  // 1.333…: 4, 4
    EXPECT_EQ(g->rect, (PixelRect{0, 0, 4, 4}));
    EXPECT_FALSE(print_geometry(PixelRect{5, 0, 5, 100}, 4800));
}

}  // namespace
}  // namespace tarvik
