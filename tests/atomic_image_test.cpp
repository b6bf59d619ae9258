// Pictures replace their file whole: a reader holding the old file keeps reading all of it,
// the name gives the whole new picture at once, and no temporary file is left behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QPainter>
#include <filesystem>
#include <string>

#include "captured_image_file.h"
#include "prompt_recorder.h"
#include "temp_dir.h"

namespace {

using tarvik::testing::read_file_bytes;

std::string read_all(int fd) {
    std::string bytes;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(n));
    return bytes;
}

TEST(ImageFile, ReplacesTheOldPictureWhole) {
    tarvik::testing::TempDir dir;
    tarvik::testing::PromptRecorder prompts;
    const auto draw = [](QPainter& p) { p.fillRect(10, 10, 50, 50, Qt::red); };
    for (const int format : {tarvik::kImageFormatPng, tarvik::kImageFormatBmp}) {
        SCOPED_TRACE(format);
        const std::string old_picture(5000, 'o');
        const std::string path = dir.write("plot.img", old_picture);
        const int reader = ::open(path.c_str(), O_RDONLY);
        ASSERT_GE(reader, 0);
        ASSERT_TRUE(tarvik::write_captured_image(400, 300, draw, path, format));
        EXPECT_EQ(read_all(reader), old_picture);
        ::close(reader);
        const std::string picture = read_file_bytes(path);
        if (format == tarvik::kImageFormatBmp) {
            EXPECT_EQ(picture.size(), 14u + 40u + 64u + 204u * 301u);
        } else {
            EXPECT_EQ(picture.rfind("\x89PNG", 0), 0u);
            EXPECT_EQ(picture.substr(picture.size() - 8, 4), "IEND");
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                                std::filesystem::directory_iterator()),
                  1);
    }
    EXPECT_TRUE(prompts.prompts().empty());
}

}  // namespace
