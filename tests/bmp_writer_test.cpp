// BMP files of captured plots, read back byte by byte.
#include <gtest/gtest.h>

#include <QColor>
#include <QPainter>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "bmp_writer.h"
#include "capture.h"
#include "captured_image_file.h"
#include "prompt_recorder.h"
#include "temp_dir.h"

namespace {

using tarvik::testing::PromptRecorder;
using tarvik::testing::read_file_bytes;
using tarvik::testing::TempDir;

std::uint32_t le16(const std::string& b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b.at(at)) |
                                      (static_cast<unsigned char>(b.at(at + 1)) << 8));
}

std::uint32_t le32(const std::string& b, std::size_t at) {
    return le16(b, at) | (le16(b, at + 2) << 16);
}

// Palette index of pixel (x, y), y counted from the top, in a 4-bit bottom-up BMP file.
int bmp_pixel(const std::string& file, int x, int y) {
    const auto width = static_cast<int>(le32(file, 18));
    const auto height = static_cast<int>(le32(file, 22));
    const std::size_t stride = (static_cast<std::size_t>(width) * 4 + 31) / 32 * 4;
    const std::size_t row = static_cast<std::size_t>(height - 1 - y);
    const auto byte = static_cast<unsigned char>(
        file.at(le32(file, 10) + row * stride + static_cast<std::size_t>(x / 2)));
    return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

// Single pixels in the corners of a 400 x 300 client area (plus the extra pixel) and a line.
void draw_markers(QPainter& p) {
    p.setPen(QColor(255, 0, 0));
    p.drawPoint(0, 0);
    p.setPen(QColor(0, 255, 0));
    p.drawPoint(1, 0);
    p.setPen(QColor(0, 0, 255));
    p.drawPoint(400, 300);
    p.setPen(QColor(255, 0, 255));
    p.drawLine(0, 150, 400, 150);
}

constexpr std::size_t kFileLength400x300 = 14 + 40 + 64 + 204 * 301;

TEST(BmpFile, ClientOf400x300GivesA401x301FourBitFileWithTheFixedPalette) {
    TempDir dir;
    PromptRecorder prompts;
    const std::string path = dir.file("plot.bmp");
    tarvik::write_captured_image(400, 300, draw_markers, path, tarvik::kImageFormatBmp);
    EXPECT_TRUE(prompts.prompts().empty());

    const std::string f = read_file_bytes(path);
    ASSERT_EQ(f.size(), kFileLength400x300);
    EXPECT_EQ(f.substr(0, 2), "BM");
    EXPECT_EQ(le32(f, 2), kFileLength400x300);
    EXPECT_EQ(le32(f, 6), 0u);     // reserved words
    EXPECT_EQ(le32(f, 10), 118u);  // bits offset
    EXPECT_EQ(le32(f, 14), 40u);   // information header size
    EXPECT_EQ(le32(f, 18), 401u);
    EXPECT_EQ(le32(f, 22), 301u);  // positive: bottom-up
    EXPECT_EQ(le16(f, 26), 1u);    // planes
    EXPECT_EQ(le16(f, 28), 4u);    // bits per pixel
    EXPECT_EQ(le32(f, 30), 0u);    // no compression
    EXPECT_EQ(le32(f, 46), 16u);   // colours used
    EXPECT_EQ(le32(f, 50), 0u);    // colours important

    const std::array<std::array<int, 3>, 16> expected = {{
        {0, 0, 0},
        {0, 0, 128},
        {0, 128, 0},
        {0, 128, 128},
        {128, 0, 0},
        {128, 0, 128},
        {128, 128, 0},
        {192, 192, 192},
        {128, 128, 128},
        {0, 0, 255},
        {0, 255, 0},
        {0, 255, 255},
        {255, 0, 0},
        {255, 0, 255},
        {255, 255, 0},
        {255, 255, 255},
    }};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::size_t at = 54 + 4 * i;
        SCOPED_TRACE(i);
        EXPECT_EQ(static_cast<unsigned char>(f[at]), expected[i][2]);  // blue first
        EXPECT_EQ(static_cast<unsigned char>(f[at + 1]), expected[i][1]);
        EXPECT_EQ(static_cast<unsigned char>(f[at + 2]), expected[i][0]);
        EXPECT_EQ(f[at + 3], 0);
    }
}

TEST(BmpFile, PixelsAreStoredBottomRowFirstWithZeroPadding) {
    TempDir dir;
    const std::string path = dir.file("plot.bmp");
    tarvik::write_captured_image(400, 300, draw_markers, path, tarvik::kImageFormatBmp);
    const std::string f = read_file_bytes(path);
    ASSERT_EQ(f.size(), kFileLength400x300);

    EXPECT_EQ(bmp_pixel(f, 0, 0), 12);      // red, top left: the last row in the file
    EXPECT_EQ(bmp_pixel(f, 1, 0), 10);      // green, low nibble of the same byte
    EXPECT_EQ(bmp_pixel(f, 400, 300), 9);   // blue, in the extra column and row
    EXPECT_EQ(bmp_pixel(f, 200, 150), 13);  // magenta line
    EXPECT_EQ(bmp_pixel(f, 200, 149), 15);  // white background
    EXPECT_EQ(bmp_pixel(f, 2, 0), 15);
    EXPECT_EQ(static_cast<unsigned char>(f[118 + 204 * 300]), 0xCA);  // top row, first byte
    EXPECT_EQ(static_cast<unsigned char>(f[118 + 200]), 0x90);  // bottom row: blue, pad nibble
    for (std::size_t row = 0; row < 301; ++row)
        for (std::size_t pad = 201; pad < 204; ++pad)
            ASSERT_EQ(f[118 + row * 204 + pad], 0) << "row " << row;
}

TEST(BmpFile, ReplacesALongerExistingFile) {
    TempDir dir;
    const std::string path = dir.write("plot.bmp", std::string(200000, 'x'));
    tarvik::write_captured_image(400, 300, draw_markers, path, tarvik::kImageFormatBmp);
    EXPECT_EQ(std::filesystem::file_size(path), kFileLength400x300);
}

TEST(BmpFile, UnopenableTargetIsReportedOnStandardErrorAndNothingIsWritten) {
    TempDir dir;
    PromptRecorder prompts;
    const tarvik::Gdi::dib image = tarvik::capture_image(10, 10, nullptr);
    // The name carries conversions: it must be printed as it is, not interpreted.
    const std::string missing_folder = dir.file("missing/plot%s%n.bmp");
    const std::string folder = dir.path();
    for (const std::string& path : {missing_folder, folder}) {
        SCOPED_TRACE(path);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(tarvik::write_bmp(image, path));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "I/O error openning file " + path + " \n");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));

    ::testing::internal::CaptureStderr();
    tarvik::write_captured_image(10, 10, nullptr, missing_folder, tarvik::kImageFormatBmp);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "I/O error openning file " + missing_folder + " \n");
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST(BmpFile, FailedWriteIsNotReportedAsSuccess) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const tarvik::Gdi::dib image = tarvik::capture_image(400, 300, nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(tarvik::write_bmp(image, "/dev/full"));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("/dev/full"), std::string::npos);
}

}  // namespace
