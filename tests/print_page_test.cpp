// What a printed page holds in x-scrollbar mode: the whole scrollable width while the plot stays
// readable on paper, else the part the window shows, across the page width.
#include <gtest/gtest.h>

#include <QImage>

#include "print_geometry.h"
#include "printed_part.h"

namespace tarvik {
namespace {

TEST(PrintGeometryOfPart, ThePartFillsThePageAndTheRestMovesLeft) {
    const PixelRect client{0, 0, 4000, 300};  // ten windows of 400
    auto g = print_geometry_of_part(client, PixelRect{1200, 0, 1600, 300}, 4800);
    ASSERT_TRUE(g);
    EXPECT_DOUBLE_EQ(g->scale, 12.0);
    EXPECT_EQ(g->rect, (PixelRect{0, 0, 48000, 3600}));
    EXPECT_EQ(g->offset, 14400);
    EXPECT_EQ(print_geometry(client, 4800)->offset, 0);
    EXPECT_FALSE(print_geometry_of_part(client, PixelRect{5, 0, 5, 300}, 4800));
    // A scrollable width the page's coordinates cannot hold at the window's scale.
    EXPECT_FALSE(
        print_geometry_of_part(PixelRect{0, 0, 1000000000, 300}, PixelRect{0, 0, 400, 300}, 4800));
}

// A page 8 inches wide at 600 dots per inch, as a printer reports it.
QImage page_of_600_dpi() {
    QImage page(4800, 6000, QImage::Format_RGB32);
    page.setDotsPerMeterX(23622);
    page.setDotsPerMeterY(23622);
    return page;
}

PlotViewState scrolled_plot(int windows) {
    PlotViewState state;
    state.m_XScrollbarMode = true;
    state.m_ClientRect = PixelRect{0, 0, 400 * windows, 300};
    return state;
}

TEST(PrintedPart, WholeWidthWhileReadableElseTheWindow) {
    const QImage page = page_of_600_dpi();
    const PixelRect window{800, 0, 1200, 300};
    struct Row {
        int windows;
        double scale;
        int offset;
    };
    for (const Row row : {Row{1, 12.0, 0}, Row{2, 6.0, 0}, Row{3, 4.0, 0}, Row{13, 12.0, 9600},
                          Row{100, 12.0, 9600}}) {
        const PlotViewState state = scrolled_plot(row.windows);
        const PixelRect shown = row.windows == 1 ? state.m_ClientRect : window;
        const auto g = printed_part(state, shown, page);
        ASSERT_TRUE(g) << row.windows;
        EXPECT_DOUBLE_EQ(g->scale, row.scale) << row.windows;
        EXPECT_EQ(g->offset, row.offset) << row.windows;
        EXPECT_EQ(g->rect.bottom, static_cast<int>(300 * row.scale + 0.5)) << row.windows;
    }
    // Outside x-scrollbar mode the window is the whole plot.
    PlotViewState plain;
    plain.m_ClientRect = PixelRect{0, 0, 400, 300};
    EXPECT_DOUBLE_EQ(printed_part(plain, plain.m_ClientRect, page)->scale, 12.0);
    EXPECT_FALSE(printed_part(plain, plain.m_ClientRect, QImage()));
}

}  // namespace
}  // namespace tarvik
