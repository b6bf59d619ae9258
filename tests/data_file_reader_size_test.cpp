// The data file reader: hostile content, and the choice of the way of reading by file size.
#include "data_file_reader_fixture.h"

namespace {

using namespace reader_test;

TEST_F(ReaderTest, FiftyMegabyteLineWithoutLineFeed) {
    const std::size_t n = 50u << 20;
    const std::string path = dir_.write("long", "1 1\n2,3," + std::string(n, ','));
    LineContainer c;
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 1}}));
    EXPECT_EQ(c.lines_taken, 1);

    dir_.append("long", "\n" + std::string(n, 'y') + "\n4 5\n");
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 1}, {2, 3}, {4, 5}}));
    EXPECT_EQ(c.lines_taken, 4);
}

// Junk lines hold no digit, so they can never convert; they must not hide the good lines.
TEST_P(BothWays, BinaryJunkLinesYieldNothing) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(1, 120);
    std::string content;
    std::vector<Pt> want;
    int data_lines = 0;
    for (int i = 0; i < 3000; ++i) {
        if (i % 3 == 0) {
            content += std::to_string(i) + " " + std::to_string(-i) + "\n";
            want.push_back({static_cast<double>(i), static_cast<double>(-i)});
            ++data_lines;
            continue;
        }
        std::string junk;
        const int len = length(rng);
        while (static_cast<int>(junk.size()) < len) {
            const char ch = static_cast<char>(byte(rng));
            if (ch == '\n' || (ch >= '0' && ch <= '9') || ch == 'N' || ch == 'n')
                continue;
            if (junk.empty() && ch == '#')
                continue;
            junk += ch;
        }
        content += junk + "\n";
        ++data_lines;
    }
    const LineContainer c = read(write("junk", content), 0, 1);
    EXPECT_TRUE(has_points(c, want));
    EXPECT_EQ(c.lines_taken, data_lines);
}

TEST_F(ReaderTest, RandomBytesNeverCrash) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 20; ++round) {
        std::string content;
        const int n = 1 + round * 997;
        for (int i = 0; i < n; ++i)
            content += static_cast<char>(byte(rng));
        // Sprinkle line feeds and number-like bytes so some lines do convert.
        for (int i = 0; i < n / 20; ++i)
            content[static_cast<std::size_t>(i * 20 % n)] = '\n';
        const std::string path = dir_.write("r", content);
        for (const auto& [xcol, ycol] : {std::pair{0, 1}, std::pair{2, 2}, std::pair{-1, 3}}) {
            LineContainer c;
            read(c, path, xcol, ycol, round % 2 == 0);
            const auto line_feeds = std::count(content.begin(), content.end(), '\n');
            EXPECT_LE(c.lines_taken, line_feeds);
            EXPECT_LE(c.count, c.lines_taken);
            EXPECT_TRUE(has_points(c, points_of(c)));  // sizes stay consistent
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Choosing the way of reading by the full file size.

TEST_F(ReaderTest, FileOfExactlyTheLimitIsReadWhole) {
    const std::string path = dir_.write("limit", "1 1\nnan 5\n\n2 2\n");
    pad_with_comment(path, kLimit);
    const LineContainer c = read(path, 0, 1);
    EXPECT_TRUE(has_points(c, {{1, 1}, {kNaN, kNaN}}));
    EXPECT_EQ(c.lines_taken, 2);
}

TEST_F(ReaderTest, FileOneByteOverTheLimitIsReadAsLineStream) {
    const std::string path = dir_.write("over", "1 1\nnan 5\n\n2 2\n");
    pad_with_comment(path, kLimit + 1);
    const LineContainer c = read(path, 0, 1);
    EXPECT_TRUE(has_points(c, {{1, 1}, {2, 2}}));
    EXPECT_EQ(c.lines_taken, 4);
}

// A size that only looks small in its low 32 bits must still go to the line-stream read. The
// hole is cut into NUL lines of 256 MiB so no single line needs gigabytes of memory.
TEST_F(ReaderTest, FileOverFourGibibytesIsReadAsLineStream) {
    const std::string head = "1 1\nnan 5\n";
    const std::string tail = "\n\n2 2\n";  // ends the last NUL line, then an empty line
    const std::uint64_t total = (std::uint64_t{1} << 32) + 24;
    const std::uint64_t step = std::uint64_t{256} << 20;
    const std::string path = dir_.write("huge", head);
    {
        const int fd = ::open(path.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        if (::ftruncate(fd, static_cast<off_t>(total)) != 0) {
            ::close(fd);
            GTEST_SKIP() << "cannot make a file over 4 GiB here";
        }
        struct stat st {};
        ASSERT_EQ(::fstat(fd, &st), 0);
        if (st.st_blocks * 512 > (std::int64_t{64} << 20)) {
            ::close(fd);
            std::filesystem::remove(path);
            GTEST_SKIP() << "file system does not make sparse files";
        }
        const std::uint64_t tail_at = total - tail.size();
        int nul_lines = 1;
        for (std::uint64_t at = head.size() + step; at < tail_at; at += step, ++nul_lines) {
            ASSERT_EQ(::pwrite(fd, "\n", 1, static_cast<off_t>(at)), 1);
        }
        ASSERT_EQ(::pwrite(fd, tail.data(), tail.size(), static_cast<off_t>(tail_at)),
                  static_cast<ssize_t>(tail.size()));
        ::close(fd);

        const LineContainer c = read(path, 0, 1);
        EXPECT_TRUE(has_points(c, {{1, 1}, {2, 2}}));
        // "1 1", "nan 5", the NUL lines, the empty line, "2 2".
        EXPECT_EQ(c.lines_taken, 2 + nul_lines + 2);
    }
}

}  // namespace
