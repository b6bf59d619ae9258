// Capturing a drawing as a 16-colour bitmap: size, background, colour reduction.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <filesystem>

#include "capture.h"
#include "captured_image_file.h"
#include "gdi_bitmap.h"
#include "palette_mapper.h"
#include "prompt_recorder.h"
#include "temp_dir.h"

namespace {

using tarvik::capture_image;
using tarvik::capture_palette;
using tarvik::Gdi::dib;

int index_at(const dib& image, int x, int y) {
    const std::uint8_t byte = image.row_from_top(y)[x / 2];
    return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

dib capture_fill(QColor colour) {
    return capture_image(20, 10, [colour](QPainter& p) { p.fillRect(0, 0, 21, 11, colour); });
}

TEST(Capture, IsOnePixelLargerThanTheClientAreaOnWhite) {
    const dib image = capture_image(400, 300, nullptr);
    ASSERT_TRUE(image.hbitmap());
    EXPECT_EQ(image.width(), 401);
    EXPECT_EQ(image.height(), 301);
    EXPECT_EQ(image.stride(), 204u);
    EXPECT_EQ(image.image_size(), 204u * 301u);
    EXPECT_EQ(image.colours_used(), 16);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(index_at(image, x, y), 15) << x << "," << y;
}

TEST(Capture, ColoursAreReducedToTheNearestPaletteEntry) {
    // Orange (255,165,0): squared distance 8100 to yellow (14), 17498 to olive (6).
    EXPECT_EQ(index_at(capture_fill(QColor(255, 165, 0)), 5, 5), 14);
    EXPECT_EQ(index_at(capture_fill(QColor(96, 96, 96)), 5, 5), 8);
    EXPECT_EQ(index_at(capture_fill(QColor(250, 5, 5)), 5, 5), 12);
    // Ties go to the lower index: (64,64,64) is as far from black (0) as from grey (8),
    // (160,160,160) as far from silver (7) as from grey (8).
    EXPECT_EQ(index_at(capture_fill(QColor(64, 64, 64)), 5, 5), 0);
    EXPECT_EQ(index_at(capture_fill(QColor(160, 160, 160)), 5, 5), 7);
}

TEST(Capture, EveryPaletteColourKeepsItsIndex) {
    const dib image = capture_image(15, 0, [](QPainter& p) {
        for (int i = 0; i < 16; ++i) {
            const auto& c = capture_palette()[static_cast<std::size_t>(i)];
            p.setPen(QColor(c.red, c.green, c.blue));
            p.drawPoint(i, 0);
        }
    });
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(index_at(image, i, 0), i);
}

// Many distinct colours exercise the per-colour cache: every answer must match a plain search.
TEST(Capture, ManyColoursMapAsAPlainNearestSearchDoes) {
    QImage source(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            source.setPixel(x, y, qRgb(x, y, (x * 7 + y * 13) & 0xFF));
    const dib image = capture_image(255, 255, [&](QPainter& p) { p.drawImage(0, 0, source); });
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const QRgb c = source.pixel(x, y);
            ASSERT_EQ(index_at(image, x, y), tarvik::Gdi::nearest_palette_index(
                                                 capture_palette(), qRed(c), qGreen(c), qBlue(c)))
                << x << "," << y;
        }
}

TEST(Capture, LinesAreDrawnWithoutAntialiasing) {
    const dib image = capture_image(100, 100, [](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(0, 0, 100, 37);
        p.drawEllipse(10, 10, 70, 50);
    });
    int black = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int i = index_at(image, x, y);
            ASSERT_TRUE(i == 0 || i == 15) << "blended pixel " << i << " at " << x << "," << y;
            black += i == 0;
        }
    EXPECT_GT(black, 100);
}

TEST(Capture, ClientAreaWithoutSizeGivesNoPictureAndSavesNothing) {
    EXPECT_FALSE(capture_image(-1, 10, nullptr).hbitmap());
    EXPECT_FALSE(capture_image(10, -2, nullptr).hbitmap());
    EXPECT_TRUE(capture_image(0, 0, nullptr).hbitmap());  // one pixel

    tarvik::testing::TempDir dir;
    tarvik::testing::PromptRecorder prompts;
    tarvik::write_captured_image(-1, 10, nullptr, dir.file("p.png"), tarvik::kImageFormatPng);
    tarvik::write_captured_image(-1, 10, nullptr, dir.file("p.bmp"), tarvik::kImageFormatBmp);
    ASSERT_EQ(prompts.prompts().size(), 2u);
    EXPECT_EQ(prompts.prompts()[0].caption, "Error");
    EXPECT_EQ(prompts.prompts()[0].icon, tarvik::prompt::Icon::Warning);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
