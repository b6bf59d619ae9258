// The whole plot drawn onto an image, checked at pixels whose place the layout fixes: axes,
// ticks, grid, gaps, markers, faded generations and where labels may stand.
#include "plot_renderer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <string>

#include "headless_view.h"
#include "plot_image.h"
#include "tarvik_doc.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

// The palette index of pixel (x, y) of a saved 401 x 301 BMP picture (rows stored bottom-up).
int saved_palette_index(const std::string& bmp, int x, int y) {
    const auto row = static_cast<std::size_t>(301 - 1 - y);
    const auto byte =
        static_cast<unsigned char>(bmp[118 + row * 204 + static_cast<std::size_t>(x / 2)]);
    return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

class PlotRendererTest : public ::testing::Test {
  protected:
    PlotRendererTest() : doc(&view) { view.document = &doc; }

    // A curve from a file of "x y" lines; its style gets `generations` generations.
    void add_curve(const std::string& lines, Colour colour, std::int16_t width,
                   std::int16_t point_size) {
        const std::string name = "curve" + std::to_string(doc.curve_count()) + ".txt";
        ASSERT_TRUE(doc.append_curve(dir.write(name, lines), 0, 1, "title", false,
                                     CurveDrawing{colour, SOLID, width, point_size}));
    }

    PlotViewState& state() { return view.state(); }

    QImage draw(const DrawParameters& parameters = {}) {
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter painter(&image);
        draw_plot(painter, PixelRect{0, 0, 400, 300}, state(), doc, parameters);
        return image;
    }

    // y pixel of a data value, as the plot maps it.
    int row_of(double y) const {
        const PixelRect& p = view_state_plot_area();
        return p.bottom - static_cast<int>((y - 0.0) / 1.0 * (p.bottom - p.top));
    }
    const PixelRect& view_state_plot_area() const {
        return const_cast<PlotRendererTest*>(this)->state().m_PlotArea;
    }

    testing::TempDir dir;
    testing::HeadlessView view;
    CTarvikDoc doc;
};

TEST_F(PlotRendererTest, AxesTicksAndGridStandWhereTheLayoutPutsThem) {
    state().m_Grid = false;
    state().m_Legend = false;
    QImage image = draw();
    const PixelRect p = state().m_PlotArea;
    ASSERT_GT(p.width(), 100);
    ASSERT_GT(p.height(), 100);
    EXPECT_EQ(image.pixel(0, 0), kWhite) << "the background is painted white";
    EXPECT_EQ(image.pixel(p.left + p.width() / 3, p.bottom), kBlack) << "x axis";
    EXPECT_EQ(image.pixel(p.left, p.top + p.height() / 3), kBlack) << "y axis";
    // The third x tick points up into the plot, m_TickLength pixels long.
    const int x2 = p.left + p.width() / 2;
    for (int dy = 1; dy <= state().m_TickLength; ++dy) {
        EXPECT_EQ(image.pixel(x2, p.bottom - dy), kBlack) << "tick pixel " << dy;
    }
    EXPECT_EQ(image.pixel(x2, p.bottom - state().m_TickLength - 2), kWhite);
    const int y2 = p.bottom - p.height() / 2;
    // Lines end before their last point, so the y tick covers the m_TickLength pixels from
    // the axis on.
    EXPECT_EQ(image.pixel(p.left + state().m_TickLength - 1, y2), kBlack) << "y tick points right";
    EXPECT_EQ(image.pixel(p.left + state().m_TickLength + 1, y2), kWhite);

    state().m_Grid = true;
    image = draw();
    int dark = 0;
    for (int y = p.top; y < p.bottom - state().m_TickLength - 1; ++y) {
        dark += image.pixel(x2, y) == kBlack;
    }
    const int column = p.bottom - state().m_TickLength - 1 - p.top;
    EXPECT_GT(dark, column / 4) << "a dotted grid line";
    EXPECT_LT(dark, column * 3 / 4) << "dotted, not solid";
}

TEST_F(PlotRendererTest, LabelsStayClearOfTheAxes) {
    state().m_Grid = false;
    const QImage image = draw();
    const PixelRect p = state().m_PlotArea;
    // Nothing of the y labels reaches the x axis rows; the x labels start two rows below it.
    for (int x = 0; x < p.left - 2 - 10; ++x) {
        EXPECT_EQ(image.pixel(x, p.bottom), kWhite) << "x " << x;
        EXPECT_EQ(image.pixel(x, p.bottom + 1), kWhite) << "x " << x;
    }
    for (int x = p.left + 1; x < p.right; ++x) {
        EXPECT_EQ(image.pixel(x, p.bottom + 1), kWhite) << "x " << x;
    }
    int label_pixels = 0;
    for (int y = p.bottom + 2; y < p.bottom + 20; ++y) {
        for (int x = p.left + p.width() / 2 - 20; x < p.left + p.width() / 2 + 20; ++x) {
            label_pixels += image.pixel(x, y) != kWhite;
        }
    }
    EXPECT_GT(label_pixels, 5) << "the middle x label is drawn under its tick";
}

TEST_F(PlotRendererTest, MissingPointLeavesAGapAndMarkersAreRings) {
    state().m_Grid = false;
    state().m_Legend = false;
    add_curve("0 0.5\n0.25 0.5\nNaN\n0.75 0.5\n1 0.5\n", rgb(0, 0, 255), 1, 0);
    add_curve("0.5 0.25\n", rgb(255, 0, 0), 0, 3);
    const QImage image = draw();
    const PixelRect p = state().m_PlotArea;
    const int y = row_of(0.5);
    const QRgb blue = qRgb(0, 0, 255);
    EXPECT_EQ(image.pixel(p.left + p.width() / 8, y), blue);
    EXPECT_EQ(image.pixel(p.left + p.width() / 2, y), kWhite) << "no segment to the gap point";
    EXPECT_EQ(image.pixel(p.left + 7 * p.width() / 8, y), blue);
    // The marker of the lone red point: a ring of radius 3, hollow inside.
    const int cx = p.left + p.width() / 2;
    const int cy = row_of(0.25);
    EXPECT_EQ(image.pixel(cx, cy), kWhite) << "hollow";
    EXPECT_EQ(image.pixel(cx + 3, cy), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(cx - 3, cy), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(cx, cy - 3), qRgb(255, 0, 0));
}

TEST_F(PlotRendererTest, OlderGenerationsAreFadedAndDrawnUnderTheNewest) {
    state().m_Grid = false;
    state().m_Legend = false;
    add_curve("0 0.2\n1 0.2\n", rgb(255, 0, 0), 1, 0);
    ASSERT_TRUE(doc.resize_history(0, 3));
    // Full update: each refresh moves the previous state back one generation.
    dir.write("curve0.txt", "0 0.5\n1 0.5\n");
    doc.refresh_curve(0);
    dir.write("curve0.txt", "0 0.8\n1 0.8\n");
    doc.refresh_curve(0);
    const QImage image = draw();
    const int x = state().m_PlotArea.left + state().m_PlotArea.width() / 2;
    EXPECT_EQ(image.pixel(x, row_of(0.8)), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(x, row_of(0.5)), qRgb(255, 153, 153));
    EXPECT_EQ(image.pixel(x, row_of(0.2)), qRgb(255, 214, 214));
}

TEST_F(PlotRendererTest, LegendShowsACircleInEachCurvesColour) {
    state().m_Grid = false;
    add_curve("0 0\n", rgb(0, 128, 0), 1, 0);
    add_curve("0 0\n", rgb(128, 0, 128), 1, 0);
    const QImage image = draw();
    int green = 0;
    int purple = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = image.width() * 2 / 3; x < image.width(); ++x) {
            green += image.pixel(x, y) == qRgb(0, 128, 0);
            purple += image.pixel(x, y) == qRgb(128, 0, 128);
        }
    }
    EXPECT_GT(green, 6);
    EXPECT_GT(purple, 6);
}

TEST_F(PlotRendererTest, PrinterScalesTicksAndMarkersButNotThePlotAreaRecord) {
    state().m_Grid = false;
    state().m_Legend = false;
    state().m_PlotArea = PixelRect{1, 2, 3, 4};
    add_curve("0.5 0.5\n", rgb(0, 0, 0), 0, 2);
    QImage image(2400, 1800, QImage::Format_RGB32);
    QPainter painter(&image);
    draw_plot(painter, PixelRect{0, 0, 2400, 1800}, state(), doc, DrawParameters{true, 6.0, {}});
    painter.end();
    EXPECT_EQ(state().m_PlotArea, (PixelRect{1, 2, 3, 4}));
    // The axis: the black rows of the middle column, away from any tick.
    const int clear_column = image.width() / 2 + 40;
    int axis_bottom = image.height() - 1;
    while (axis_bottom > 0 && image.pixel(clear_column, axis_bottom) != kBlack)
        --axis_bottom;
    int axis_top = axis_bottom;
    while (image.pixel(clear_column, axis_top - 1) == kBlack)
        --axis_top;
    ASSERT_GT(axis_top, 0);
    EXPECT_GE(axis_bottom - axis_top + 1, 5) << "the axis pen is scaled too";
    int tick_column = -1;
    for (int x = image.width() / 2 - 100; x < image.width() / 2 + 100 && tick_column < 0; ++x) {
        if (image.pixel(x, axis_top - 10) == kBlack)
            tick_column = x;
    }
    ASSERT_GT(tick_column, 0);
    int tick_top = axis_top;
    while (image.pixel(tick_column, tick_top - 1) == kBlack)
        --tick_top;
    const int tick_length = (axis_top + axis_bottom) / 2 - tick_top;
    EXPECT_GE(tick_length, 29) << "5-pixel ticks become 30 printer pixels";
    EXPECT_LE(tick_length, 31);
}

TEST_F(PlotRendererTest, SavedPictureIsTheClientAreaAndOnePixelMore) {
    add_curve("0 0\n1 1\n", rgb(255, 0, 0), 1, 0);
    state().m_ClientRect = PixelRect{0, 0, 400, 300};
    const std::string bmp = dir.file("plot.bmp");
    SaveImage(state(), doc, bmp, 2);
    const std::string bytes = testing::read_file_bytes(bmp);
    ASSERT_EQ(bytes.size(), 14u + 40 + 64 + 204 * 301);
    // The x axis row holds black pixels (palette index 0) and the corner is white (15).
    const PixelRect p = state().m_PlotArea;
    EXPECT_EQ(saved_palette_index(bytes, p.left + 20, p.bottom), 0);
    EXPECT_EQ(saved_palette_index(bytes, 0, 0), 15);
}

TEST_F(PlotRendererTest, SavedPictureHasCrispBlackText) {
    add_curve("0 0\n0.5 0.8\n1 1\n", rgb(0, 0, 0), 1, 2);  // black, like the texts
    state().m_Title = "Kessel 3 Temperatur";
    state().m_XLabel = "Zeit [s]";
    state().m_YLabel = "Grad Celsius";
    state().m_ClientRect = PixelRect{0, 0, 400, 300};
    draw();
    const PixelRect on_screen = state().m_PlotArea;
    const std::string bmp = dir.file("plot.bmp");
    SaveImage(state(), doc, bmp, 2);
    EXPECT_EQ(state().m_PlotArea, on_screen) << "the crisp font has the same metrics";
    const std::string bytes = testing::read_file_bytes(bmp);
    ASSERT_EQ(bytes.size(), 14u + 40 + 64 + 204 * 301);
    int black = 0;
    int other = 0;
    for (int y = 0; y < 301; ++y) {
        for (int x = 0; x < 401; ++x) {
            const int index = saved_palette_index(bytes, x, y);
            black += index == 0;
            other += index != 0 && index != 15;
        }
    }
    EXPECT_EQ(other, 0) << "pixels neither black nor white";
    EXPECT_GT(black, 1500) << "axes, grid, curve and every text";
}

// A tick count beyond the plot's pixels marks every pixel once: the plot area looks as with one
// tick per pixel, and the draw does not grow with the count.
TEST_F(PlotRendererTest, TicksDenserThanPixelsMarkEachPixelOnce) {
    state().m_Legend = false;
    state().m_Grid = false;
    draw();
    const PixelRect p = state().m_PlotArea;
    state().m_XTicks = p.width() + 1;
    state().m_YTicks = p.height() + 1;
    const QImage one_per_pixel = draw();
    state().m_XTicks = 2147483647;
    state().m_YTicks = 2147483647;
    const QImage dense = draw();
    EXPECT_EQ(state().m_PlotArea, p);
    const QRect area(p.left, p.top, p.width() + 1, p.height() + 1);
    EXPECT_EQ(dense.copy(area), one_per_pixel.copy(area));
    for (int x = p.left; x <= p.right; ++x)
        ASSERT_EQ(dense.pixel(x, p.bottom - 1), kBlack) << "tick mark at " << x;
    EXPECT_EQ(state().m_XTicks, 2147483647) << "the setting is kept as it is";
}

// Marks on neighbouring pixels are drawn as one block: each column of the dense x marks and
// each row of the dense y marks covers the same pixels as one of the five ticks' marks.
TEST_F(PlotRendererTest, DenseMarksCoverWhatSingleMarksCover) {
    state().m_Legend = false;
    state().m_Grid = false;
    const QImage single = draw();
    state().m_XTicks = 2147483647;
    state().m_YTicks = 2147483647;
    const QImage dense = draw();
    const PixelRect p = state().m_PlotArea;
    const int reach = 2 * state().m_TickLength;
    const auto column = [&](const QImage& image, int x) {
        std::string dots;
        for (int y = p.bottom - reach; y <= p.bottom; ++y)
            dots += image.pixel(x, y) == kBlack ? '#' : '.';
        return dots;
    };
    const auto row = [&](const QImage& image, int y) {
        std::string dots;
        for (int x = p.left; x <= p.left + reach; ++x)
            dots += image.pixel(x, y) == kBlack ? '#' : '.';
        return dots;
    };
    // The middle ticks' marks.
    const std::string x_mark = column(single, p.left + static_cast<int>(2 * (p.width() / 4.0)));
    const std::string y_mark = row(single, p.bottom + static_cast<int>(2 * (-p.height() / 4.0)));
    // Clear of the other axis's marks.
    for (int x = p.left + reach + 1; x < p.right; ++x)
        ASSERT_EQ(column(dense, x), x_mark) << "column " << x;
    for (int y = p.top + 1; y < p.bottom - reach; ++y)
        ASSERT_EQ(row(dense, y), y_mark) << "row " << y;
}

// Too many ticks to label each: labels and grid lines stand at every k-th tick, far enough
// apart to be read, while the marks still cover every pixel.
TEST_F(PlotRendererTest, DenseTicksKeepGridLinesApart) {
    state().m_Legend = false;
    state().m_XTicks = 2147483647;
    state().m_YTicks = 2147483647;
    const QImage image = draw();
    const PixelRect p = state().m_PlotArea;
    int grid_columns = 0;
    for (int x = p.left + 1; x < p.right; ++x) {
        int dark = 0;
        for (int y = p.top; y < p.bottom - state().m_TickLength - 1; ++y)
            dark += image.pixel(x, y) == kBlack;
        grid_columns += dark > p.height() / 4;
    }
    EXPECT_GE(grid_columns, 2);
    EXPECT_LE(grid_columns, 20) << "a " << p.width() << "-pixel plot";
}

// In x-scrollbar mode the drawing is up to 10^9 pixels wide and the window shows one part of
// it: only that part's ticks are drawn.
TEST_F(PlotRendererTest, AScrolledDrawingMarksTheTicksInView) {
    state().m_Legend = false;
    state().m_Grid = false;
    state().m_XTicks = 2147483647;
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    painter.translate(-500000000, 0);
    draw_plot(painter, PixelRect{0, 0, 1000000000, 300}, state(), doc);
    painter.end();
    const int axis = state().m_PlotArea.bottom;
    for (int x = 0; x < image.width(); ++x)
        ASSERT_EQ(image.pixel(x, axis - 1), kBlack) << "tick mark at " << x;
}

// Widths and point sizes up to 32767 come from files and messages; they draw as the largest
// the dialogs offer.
TEST_F(PlotRendererTest, HugeWidthsAndPointSizesDrawAsTheLargestOffered) {
    state().m_Grid = false;
    state().m_Legend = false;
    add_curve("0 0.1\n0.3 0.9\n0.6 0.2\n1 0.7\n", rgb(0, 0, 255), 32767, 32767);
    const QImage huge = draw();
    state().m_Curves.set_width(0, 5);
    state().m_Curves.set_point_size(0, 5);
    EXPECT_EQ(huge, draw());
    state().m_Curves.set_width(0, 32767);
    draw();
    EXPECT_EQ(state().m_Curves.m_Widths[0][0], 32767) << "the table keeps what it holds";
}

}  // namespace
}  // namespace tarvik
