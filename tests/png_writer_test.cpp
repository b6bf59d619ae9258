// PNG files: chunks parsed from the written bytes, pixels decoded back with libpng.
#include <gtest/gtest.h>
#include <png.h>

#include <QColor>
#include <QPainter>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "capture.h"
#include "captured_image_file.h"
#include "png_writer.h"
#include "prompt_recorder.h"
#include "temp_dir.h"

namespace {

using tarvik::PngWriteRequest;
using tarvik::write_png;
using tarvik::testing::PromptRecorder;
using tarvik::testing::read_file_bytes;
using tarvik::testing::TempDir;

// ---- reading the file back

struct Chunk {
    std::string type;
    std::string data;
};

std::uint32_t be32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<unsigned char>(b.at(at + i));
    return v;
}

std::vector<Chunk> chunks_of(const std::string& file) {
    std::vector<Chunk> out;
    if (file.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0)
        return out;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t length = be32(file, at);
        out.push_back({file.substr(at + 4, 4), file.substr(at + 8, length)});
        at += 12 + length;
    }
    return out;
}

std::vector<std::size_t> positions(const std::vector<Chunk>& chunks, const std::string& type) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < chunks.size(); ++i)
        if (chunks[i].type == type)
            out.push_back(i);
    return out;
}

struct Decoded {
    bool ok = false;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    std::vector<int> at(int x, int y) const {
        const std::size_t i = 4 * (static_cast<std::size_t>(y) * width + x);
        return {rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]};
    }
};

Decoded decode(const std::string& path) {
    Decoded d;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return d;
    image.format = PNG_FORMAT_RGBA;
    d.rgba.resize(PNG_IMAGE_SIZE(image));
    d.ok = png_image_finish_read(&image, nullptr, d.rgba.data(), 0, nullptr) != 0;
    d.width = static_cast<int>(image.width);
    d.height = static_cast<int>(image.height);
    png_image_free(&image);
    return d;
}

// Open descriptors of this process, to see that a failed write leaves no file open.
std::size_t open_descriptors() {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

// ---- bitmaps built by hand

void put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v);
    put16(b, at + 2, v >> 16);
}

// A 40-byte information header.
std::vector<std::uint8_t> info_header(std::int32_t width, std::int32_t height, int bits,
                                      std::uint32_t compression = 0, std::uint32_t colours = 0) {
    std::vector<std::uint8_t> h(40, 0);
    put32(h, 0, 40);
    put32(h, 4, static_cast<std::uint32_t>(width));
    put32(h, 8, static_cast<std::uint32_t>(height));
    put16(h, 12, 1);
    put16(h, 14, static_cast<std::uint32_t>(bits));
    put32(h, 16, compression);
    put32(h, 32, colours);
    return h;
}

struct Target {
    TempDir dir;
    std::string path = dir.file("out.png");
    char error[tarvik::kPngErrorTextSize] = "stale text";

    PngWriteRequest request(const std::vector<std::uint8_t>& header, const void* bits = nullptr,
                            std::uint32_t flags = 0) {
        PngWriteRequest r;
        r.struct_size = tarvik::kPngWriteRequestSize;
        r.flags = flags;
        r.file_name = path.c_str();
        r.header = header.data();
        r.header_size = header.size();
        r.bits = bits;
        r.error_text = error;
        return r;
    }
};

void draw_markers(QPainter& p) {
    p.setPen(QColor(255, 0, 0));
    p.drawPoint(0, 0);
    p.setPen(QColor(255, 165, 0));
    p.drawLine(0, 150, 400, 150);
    p.setPen(QColor(0, 0, 255));
    p.drawPoint(400, 300);
}

// ---- the captured plot

TEST(PngFile, CaptureIsAFourBitPaletteImageWithGammaLabelsAndTrailingSoftwareText) {
    TempDir dir;
    PromptRecorder prompts;
    const std::string path = dir.file("plot.png");
    tarvik::write_captured_image(400, 300, draw_markers, path, tarvik::kImageFormatPng);
    EXPECT_TRUE(prompts.prompts().empty());

    const auto chunks = chunks_of(read_file_bytes(path));
    ASSERT_GE(chunks.size(), 5u);
    ASSERT_EQ(chunks.front().type, "IHDR");
    const std::string& ihdr = chunks.front().data;
    EXPECT_EQ(be32(ihdr, 0), 401u);
    EXPECT_EQ(be32(ihdr, 4), 301u);
    EXPECT_EQ(ihdr[8], 4);   // bit depth
    EXPECT_EQ(ihdr[9], 3);   // palette colour type
    EXPECT_EQ(ihdr[12], 0);  // not interlaced

    const auto plte = positions(chunks, "PLTE");
    ASSERT_EQ(plte.size(), 1u);
    const std::string& entries = chunks[plte[0]].data;
    ASSERT_EQ(entries.size(), 16u * 3);
    for (std::size_t i = 0; i < 16; ++i) {
        const auto& c = tarvik::capture_palette()[i];
        EXPECT_EQ(static_cast<unsigned char>(entries[3 * i]), c.red) << i;
        EXPECT_EQ(static_cast<unsigned char>(entries[3 * i + 1]), c.green) << i;
        EXPECT_EQ(static_cast<unsigned char>(entries[3 * i + 2]), c.blue) << i;
    }

    const auto gama = positions(chunks, "gAMA");
    const auto srgb = positions(chunks, "sRGB");
    ASSERT_EQ(gama.size(), 1u);
    ASSERT_EQ(srgb.size(), 1u);
    EXPECT_EQ(be32(chunks[gama[0]].data, 0), 45455u);
    EXPECT_EQ(chunks[srgb[0]].data, std::string(1, '\1'));
    EXPECT_LT(gama[0], plte[0]);
    EXPECT_LT(srgb[0], plte[0]);

    const auto text = positions(chunks, "tEXt");
    const auto idat = positions(chunks, "IDAT");
    ASSERT_EQ(text.size(), 1u);
    ASSERT_FALSE(idat.empty());
    EXPECT_EQ(chunks[text[0]].data, std::string("Software\0Tarvik", 15));
    EXPECT_GT(text[0], idat.back());
    EXPECT_EQ(chunks.back().type, "IEND");
    EXPECT_EQ(text[0], chunks.size() - 2);
}

TEST(PngFile, DecodesToTheCapturedPaletteColours) {
    TempDir dir;
    const std::string path = dir.file("plot.png");
    tarvik::write_captured_image(400, 300, draw_markers, path, tarvik::kImageFormatPng);
    const tarvik::Gdi::dib image = tarvik::capture_image(400, 300, draw_markers);
    const Decoded d = decode(path);
    ASSERT_TRUE(d.ok);
    ASSERT_EQ(d.width, 401);
    ASSERT_EQ(d.height, 301);
    for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x) {
            const std::uint8_t byte = image.row_from_top(y)[x / 2];
            const auto& c = tarvik::capture_palette()[x % 2 == 0 ? byte >> 4 : byte & 15];
            ASSERT_EQ(d.at(x, y), (std::vector<int>{c.red, c.green, c.blue, 255})) << x << "," << y;
        }
    EXPECT_EQ(d.at(0, 0), (std::vector<int>{255, 0, 0, 255}));
    EXPECT_EQ(d.at(7, 150), (std::vector<int>{255, 255, 0, 255}));  // orange became yellow
    EXPECT_EQ(d.at(400, 300), (std::vector<int>{0, 0, 255, 255}));
}

TEST(PngFile, UnwritableTargetShowsUnableToWriteFile) {
    TempDir dir;
    PromptRecorder prompts;
    tarvik::write_captured_image(40, 30, draw_markers, dir.file("missing/plot.png"),
                                 tarvik::kImageFormatPng);
    tarvik::write_captured_image(40, 30, draw_markers, dir.path(), tarvik::kImageFormatPng);
    ASSERT_EQ(prompts.prompts().size(), 2u);
    for (const auto& p : prompts.prompts()) {
        EXPECT_EQ(p.text, "Unable to write file");
        EXPECT_EQ(p.caption, "Error");
        EXPECT_EQ(p.icon, tarvik::prompt::Icon::Warning);
        EXPECT_EQ(p.buttons, tarvik::prompt::Buttons::Ok);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(PngFile, LibraryErrorIsReportedWithItsMessage) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    // Noise does not compress, so libpng's own writes hit the full device.
    const int side = 300;
    std::vector<std::uint8_t> block = info_header(side, side, 8);
    block.resize(40 + 256 * 4 + static_cast<std::size_t>(side) * side);
    std::uint32_t seed = 12345;
    for (std::size_t i = 40 + 256 * 4; i < block.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        block[i] = static_cast<std::uint8_t>(seed >> 16);
    }
    Target t;
    t.path = "/dev/full";
    const std::size_t descriptors = open_descriptors();
    EXPECT_EQ(write_png(t.request(block)), tarvik::kPngLibraryError);
    EXPECT_EQ(open_descriptors(), descriptors);
    EXPECT_EQ(std::string(t.error).rfind("[libpng] ", 0), 0u) << t.error;
    EXPECT_LT(std::strlen(t.error), tarvik::kPngErrorTextSize);
}

TEST(SaveImage, UnknownFormatShowsUnsupportedExtensionAndWritesNothing) {
    TempDir dir;
    PromptRecorder prompts;
    tarvik::write_captured_image(40, 30, draw_markers, dir.file("plot.gif"), 3);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "Unsupported extension");
    EXPECT_EQ(prompts.prompts()[0].caption, "Tarvik");
    EXPECT_EQ(prompts.prompts()[0].icon, tarvik::prompt::Icon::None);
    EXPECT_EQ(prompts.prompts()[0].buttons, tarvik::prompt::Buttons::Ok);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// ---- the writer's input checks

struct BadInput {
    const char* name;
    std::vector<std::uint8_t> header;
    std::uint32_t struct_size;
    int code;
    const char* text;
};

std::vector<BadInput> bad_inputs() {
    std::vector<BadInput> cases;
    const std::uint32_t good = tarvik::kPngWriteRequestSize;
    auto four_bit = [] {
        auto h = info_header(4, 4, 4);
        h.resize(40 + 16 * 4 + 4 * 4);
        return h;
    };
    cases.push_back({"record size", four_bit(), good + 4, 2, "Incompatible library version"});
    auto small_header = four_bit();
    put32(small_header, 0, 20);
    cases.push_back({"header size", small_header, good, 6, "Unexpected BMP header size (20)"});
    auto no_width = info_header(0, 5, 4);
    no_width.resize(200);
    cases.push_back({"no width", no_width, good, 6, "Unreasonable image dimensions (0x5)"});
    auto too_tall = info_header(5, -1000001, 4);
    too_tall.resize(200);
    cases.push_back({"too tall", too_tall, good, 6, "Unreasonable image dimensions (5x1000001)"});
    auto three_bits = info_header(4, 4, 3);
    three_bits.resize(200);
    cases.push_back({"bit depth", three_bits, good, 4, "Unsupported bit depth (3)"});
    auto odd_compression = info_header(4, 4, 8, 9);
    odd_compression.resize(2000);
    cases.push_back({"compression", odd_compression, good, 4, "Unsupported compression scheme"});
    auto run_length = info_header(4, 4, 8, 1);
    run_length.resize(2000);  // only ends of line, more of them than there are rows
    cases.push_back(
        {"run length past the last row", run_length, good, 4, "Invalid or unsupported image"});
    auto rle_wrong_depth = info_header(4, 4, 4, 1);
    rle_wrong_depth.resize(2000);
    cases.push_back({"rle8 at 4 bits", rle_wrong_depth, good, 4, "Invalid or unsupported image"});
    auto rle4_wrong_depth = info_header(4, 4, 8, 2);
    rle4_wrong_depth.resize(2000);
    cases.push_back({"rle4 at 8 bits", rle4_wrong_depth, good, 4, "Invalid or unsupported image"});
    auto masks = info_header(4, 4, 32, 3);
    masks.resize(40 + 12 + 64);
    put32(masks, 40, 0xFF);
    put32(masks, 44, 0xFF00);
    put32(masks, 48, 0xFF0000);
    cases.push_back({"bit-field masks", masks, good, 4, "Invalid or unsupported image"});
    auto short_block = four_bit();
    short_block.resize(short_block.size() - 1);
    cases.push_back({"block too short", short_block, good, 6, "Invalid BMP image"});
    auto long_table = info_header(4, 4, 8, 0, 300);
    long_table.resize(40 + 300 * 4 + 16);
    cases.push_back({"colour table", long_table, good, 6, "Invalid BMP image"});
    return cases;
}

TEST(PngRequest, BadInputIsRefusedBeforeTheFileIsOpened) {
    for (const BadInput& c : bad_inputs()) {
        SCOPED_TRACE(c.name);
        Target t;
        PngWriteRequest r = t.request(c.header);
        r.struct_size = c.struct_size;
        EXPECT_EQ(write_png(r), c.code);
        EXPECT_STREQ(t.error, c.text);
        EXPECT_FALSE(std::filesystem::exists(t.path));
        r.error_text = nullptr;  // no buffer: same answer, nothing written anywhere
        EXPECT_EQ(write_png(r), c.code);
    }
}

TEST(PngRequest, BitsShorterThanTheImageAreRefused) {
    Target t;
    const auto header = info_header(10, 10, 24);
    const std::vector<std::uint8_t> bits(32 * 10 - 1);
    PngWriteRequest r = t.request(header, bits.data());
    r.bits_size = bits.size();
    EXPECT_EQ(write_png(r), tarvik::kPngInvalidBmp);
    EXPECT_FALSE(std::filesystem::exists(t.path));
}

TEST(PngRequest, ErrorTextIsEmptiedWhenTheWriteSucceeds) {
    Target t;
    auto block = info_header(2, 2, 1);
    block.resize(40 + 8 + 8);
    ASSERT_STREQ(t.error, "stale text");
    EXPECT_EQ(write_png(t.request(block)), tarvik::kPngSuccess);
    EXPECT_STREQ(t.error, "");
}

// ---- other bitmap layouts

TEST(PngLayouts, TopDownTrueColourWithSeparateBits) {
    Target t;
    const auto header = info_header(3, -2, 24);
    // Rows of 9 bytes padded to 12, blue first; the first row is the top one.
    const std::vector<std::uint8_t> bits = {0,  0,  255, 0,  255, 0,  255, 0,  0,  0, 0, 0,  //
                                            10, 20, 30,  40, 50,  60, 70,  80, 90, 0, 0, 0};
    PngWriteRequest r = t.request(header, bits.data());
    r.bits_size = bits.size();
    ASSERT_EQ(write_png(r), 0) << t.error;
    const Decoded d = decode(t.path);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.at(0, 0), (std::vector<int>{255, 0, 0, 255}));
    EXPECT_EQ(d.at(1, 0), (std::vector<int>{0, 255, 0, 255}));
    EXPECT_EQ(d.at(2, 0), (std::vector<int>{0, 0, 255, 255}));
    EXPECT_EQ(d.at(0, 1), (std::vector<int>{30, 20, 10, 255}));
    EXPECT_EQ(d.at(2, 1), (std::vector<int>{90, 80, 70, 255}));
}

TEST(PngLayouts, BottomUpEightBitWithBitsFollowingTheTable) {
    Target t;
    auto block = info_header(2, 2, 8, 0, 3);
    const std::uint8_t table[] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};  // red green blue
    block.insert(block.end(), std::begin(table), std::end(table));
    const std::uint8_t rows[] = {2, 2, 0, 0,   // bottom row: blue blue
                                 0, 1, 0, 0};  // top row: red green
    block.insert(block.end(), std::begin(rows), std::end(rows));
    ASSERT_EQ(write_png(t.request(block)), 0) << t.error;
    const auto plte = positions(chunks_of(read_file_bytes(t.path)), "PLTE");
    EXPECT_EQ(plte.size(), 1u);
    const Decoded d = decode(t.path);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.at(0, 0), (std::vector<int>{255, 0, 0, 255}));
    EXPECT_EQ(d.at(1, 0), (std::vector<int>{0, 255, 0, 255}));
    EXPECT_EQ(d.at(0, 1), (std::vector<int>{0, 0, 255, 255}));
}

TEST(PngLayouts, SixteenBitFiveSixFiveIsWidenedWithSignificantBits) {
    Target t;
    auto header = info_header(4, 1, 16, 3);
    header.resize(52);
    put32(header, 40, 0xF800);
    put32(header, 44, 0x07E0);
    put32(header, 48, 0x001F);
    std::vector<std::uint8_t> bits(8);
    put16(bits, 0, 0xF800);
    put16(bits, 2, 0x07E0);
    put16(bits, 4, 0x001F);
    put16(bits, 6, 0x8410);
    ASSERT_EQ(write_png(t.request(header, bits.data())), 0) << t.error;
    const auto chunks = chunks_of(read_file_bytes(t.path));
    const auto sbit = positions(chunks, "sBIT");
    ASSERT_EQ(sbit.size(), 1u);
    EXPECT_EQ(chunks[sbit[0]].data, std::string("\5\6\5"));
    const Decoded d = decode(t.path);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.at(0, 0), (std::vector<int>{255, 0, 0, 255}));
    EXPECT_EQ(d.at(1, 0), (std::vector<int>{0, 255, 0, 255}));
    EXPECT_EQ(d.at(2, 0), (std::vector<int>{0, 0, 255, 255}));
    EXPECT_EQ(d.at(3, 0), (std::vector<int>{132, 130, 132, 255}));
}

TEST(PngLayouts, FourthByteIsAlphaOnlyWhenAsked) {
    const auto header = info_header(1, 1, 32);
    const std::uint8_t pixel[] = {10, 20, 30, 40};
    for (const bool alpha : {false, true}) {
        SCOPED_TRACE(alpha);
        Target t;
        ASSERT_EQ(write_png(t.request(header, pixel, alpha ? tarvik::kPngAlpha : 0)), 0);
        EXPECT_EQ(chunks_of(read_file_bytes(t.path)).front().data[9], alpha ? 6 : 2);
        const Decoded d = decode(t.path);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.at(0, 0), (std::vector<int>{30, 20, 10, alpha ? 40 : 255}));
    }
}

TEST(PngLayouts, FlagsSelectInterlacingAndLeaveOutGammaLabels) {
    const auto header = info_header(9, 9, 24);
    std::vector<std::uint8_t> bits(28 * 9);
    for (std::size_t i = 0; i < bits.size(); ++i)
        bits[i] = static_cast<std::uint8_t>(i * 37);
    Target plain;
    Target special;
    ASSERT_EQ(write_png(plain.request(header, bits.data())), 0);
    ASSERT_EQ(write_png(special.request(header, bits.data(),
                                        tarvik::kPngInterlaced | tarvik::kPngNoGammaLabels)),
              0);
    const auto chunks = chunks_of(read_file_bytes(special.path));
    EXPECT_EQ(chunks.front().data[12], 1);
    EXPECT_TRUE(positions(chunks, "gAMA").empty());
    EXPECT_TRUE(positions(chunks, "sRGB").empty());
    EXPECT_TRUE(positions(chunks, "tEXt").empty());  // no software text given
    const Decoded a = decode(plain.path);
    const Decoded b = decode(special.path);
    ASSERT_TRUE(a.ok && b.ok);
    EXPECT_EQ(a.rgba, b.rgba);
}

// ---- run-length bitmaps

// Colour of palette index i in the run-length tests: every index tells itself apart.
std::vector<int> index_colour(int i) {
    return {16 * i, 255 - 16 * i, 7 * i, 255};
}

// A header with the 16 colours of index_colour for a run-length bitmap.
std::vector<std::uint8_t> run_length_header(int width, int height, int bits) {
    auto h = info_header(width, height, bits, bits == 8 ? 1 : 2, 16);
    for (int i = 0; i < 16; ++i) {
        const auto c = index_colour(i);
        h.insert(h.end(), {static_cast<std::uint8_t>(c[2]), static_cast<std::uint8_t>(c[1]),
                           static_cast<std::uint8_t>(c[0]), 0});
    }
    return h;
}

struct RunLengthCase {
    const char* name;
    int bits, width, height;
    std::vector<std::uint8_t> data;
    std::vector<std::vector<int>> rows;  // palette indices, top row first; none: refused
};

// The first row of the data is the bottom one; pixels the data skip keep index 0.
const RunLengthCase kRunLengthCases[] = {
    {"8-bit runs and ends of line",
     8,
     4,
     2,
     {3, 1, 0, 0, 2, 2, 2, 3, 0, 0, 0, 1},
     {{2, 2, 3, 3}, {1, 1, 1, 0}}},
    {"8-bit absolute run with its pad byte",
     8,
     4,
     1,
     {0, 3, 5, 6, 7, 0, 1, 8, 0, 1},
     {{5, 6, 7, 8}}},
    {"8-bit delta",
     8,
     4,
     3,
     {1, 4, 0, 2, 2, 1, 1, 9, 0, 1},
     {{0, 0, 0, 0}, {0, 0, 0, 9}, {4, 0, 0, 0}}},
    {"early end of bitmap", 8, 2, 2, {1, 5, 0, 1}, {{0, 0}, {5, 0}}},
    {"4-bit runs alternate two colours",
     4,
     5,
     2,
     {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 2, 0x67, 0, 1},
     {{3, 4, 5, 6, 7}, {1, 2, 1, 2, 1}}},
    {"4-bit absolute run with its pad byte",
     4,
     5,
     1,
     {0, 5, 0xAB, 0xCD, 0xE0, 0, 0, 1},
     {{10, 11, 12, 13, 14}}},
    {"run past the row", 8, 4, 1, {5, 1, 0, 1}, {}},
    {"4-bit run past the row", 4, 5, 1, {6, 0x11, 0, 1}, {}},
    {"absolute run past the row", 8, 2, 1, {0, 3, 1, 2, 3, 0, 0, 1}, {}},
    {"delta past the last row", 8, 4, 2, {0, 2, 0, 2, 1, 1, 0, 1}, {}},
    {"delta past the row", 8, 4, 2, {0, 2, 5, 0, 0, 1}, {}},
    {"end of line past the last row", 8, 4, 1, {0, 0, 0, 0, 1, 1, 0, 1}, {}},
    {"run after the last row", 8, 4, 1, {0, 0, 1, 1, 0, 1}, {}},
    {"no end of bitmap", 8, 4, 1, {4, 1}, {}},
    {"cut in an absolute run", 8, 4, 1, {0, 4, 1, 2}, {}},
    {"cut in a delta", 8, 4, 2, {0, 2, 1}, {}},
};

TEST(PngRunLength, ExpandsToThePlainRowsOrIsRefused) {
    for (const RunLengthCase& c : kRunLengthCases) {
        SCOPED_TRACE(c.name);
        Target t;
        const auto header = run_length_header(c.width, c.height, c.bits);
        PngWriteRequest r = t.request(header, c.data.data());
        r.bits_size = c.data.size();
        if (c.rows.empty()) {
            EXPECT_EQ(write_png(r), tarvik::kPngUnsupportedImage);
            EXPECT_STREQ(t.error, "Invalid or unsupported image");
            continue;
        }
        ASSERT_EQ(write_png(r), 0) << t.error;
        EXPECT_EQ(chunks_of(read_file_bytes(t.path)).front().data[8], c.bits);
        const Decoded d = decode(t.path);
        ASSERT_TRUE(d.ok);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                EXPECT_EQ(d.at(x, y), index_colour(c.rows[y][x])) << x << "," << y;
    }
}

TEST(PngRunLength, DataAreReadOnlyAsFarAsAKnownSize) {
    const std::vector<std::uint8_t> data = {2, 1, 0, 1};
    auto header = run_length_header(2, 1, 8);
    Target t;
    PngWriteRequest r = t.request(header, data.data());
    r.bits_size = 2;  // the end of bitmap lies past the size given
    EXPECT_EQ(write_png(r), tarvik::kPngUnsupportedImage);
    r.bits_size = 0;  // no size anywhere: not read at all
    EXPECT_EQ(write_png(r), tarvik::kPngUnsupportedImage);
    put32(header, 20, 2);  // the header's own image size bounds the data as well
    EXPECT_EQ(write_png(r), tarvik::kPngUnsupportedImage);
    put32(header, 20, 4);
    EXPECT_EQ(write_png(r), 0) << t.error;

    // Data following the colour table are bounded by the block's size.
    auto block = run_length_header(2, 1, 8);
    block.insert(block.end(), data.begin(), data.end());
    EXPECT_EQ(write_png(t.request(block)), 0) << t.error;
    block.pop_back();
    EXPECT_EQ(write_png(t.request(block)), tarvik::kPngUnsupportedImage);
}

}  // namespace
