// The data file reader: comments, line ends, unfinished and empty lines, the byte-order mark,
// and reading new lines only.
#include "data_file_reader_fixture.h"

namespace {

using namespace reader_test;

TEST_P(BothWays, CommentLinesAreNotDataLines) {
    const std::string content = "# angle sin cos\n0.000,0.000,1.000\n0.098,0.098,0.995\n";
    const std::string path = write("c", content);
    const LineContainer two = read(path, 0, 1);
    EXPECT_TRUE(has_points(two, {{0, 0}, {0.098, 0.098}}));
    EXPECT_EQ(two.lines_taken, 2);
    const LineContainer one = read(path, 2, 2);
    EXPECT_TRUE(has_points(one, {{0, 1.0}, {1, 0.995}}));
    EXPECT_EQ(one.lines_taken, 2);

    // Comments between data lines do not move the data-line index; '#' counts only first.
    const LineContainer mixed = read(write("m", "#a\n5\n#b\n#c\n6\n #7\n8\n#\n"), 0, 0);
    EXPECT_TRUE(has_points(mixed, {{0, 5}, {1, 6}, {3, 8}}));
    EXPECT_EQ(mixed.lines_taken, 4);
}

TEST_P(BothWays, CarriageReturnLineFeedReadsLikeLineFeed) {
    const std::string lf = "# head\n1 2\nNaN\n3,4\nx y\n5 6 7\n";
    std::string crlf;
    for (char ch : lf)
        crlf += ch == '\n' ? "\r\n"s : std::string(1, ch);
    for (const auto& [xcol, ycol] : {std::pair{0, 1}, std::pair{1, 1}}) {
        const LineContainer a = read(write("lf", lf), xcol, ycol);
        const LineContainer b = read(write("crlf", crlf), xcol, ycol);
        EXPECT_TRUE(has_points(b, points_of(a))) << "xcol " << xcol;
        EXPECT_EQ(b.lines_taken, a.lines_taken);
        EXPECT_EQ(a.lines_taken, 5);
    }
}

TEST_P(BothWays, UnfinishedLastLineIsTakenOnceCompleted) {
    const std::string path = write("u", "1,2\n");
    dir_.append("u", "3,4");
    LineContainer c;
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 2}}));
    EXPECT_EQ(c.lines_taken, 1);

    dir_.append("u", "\r");  // still no line feed
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 2}}));
    EXPECT_EQ(c.lines_taken, 1);

    dir_.append("u", "\n5,6");
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 2}, {3, 4}}));
    EXPECT_EQ(c.lines_taken, 2);

    // A fresh full read sees the same lines.
    const LineContainer fresh = read(path, 0, 1);
    EXPECT_TRUE(has_points(fresh, points_of(c)));
}

TEST_F(ReaderTest, FileOfOnlyAnUnfinishedLineGivesNothing) {
    const LineContainer c = read(dir_.write("u", "5 6"), 0, 1);
    EXPECT_TRUE(has_points(c, {}));
    EXPECT_EQ(c.lines_taken, 0);
}

TEST_P(BothWays, EmptyLineEndsOnlyTheWholeFileRead) {
    const LineContainer c = read(write("e", "1 1\n\n2 2\n"), 0, 1);
    if (GetParam() == Way::WholeFile) {
        EXPECT_TRUE(has_points(c, {{1, 1}}));
        EXPECT_EQ(c.lines_taken, 1);
    } else {
        EXPECT_TRUE(has_points(c, {{1, 1}, {2, 2}}));
        EXPECT_EQ(c.lines_taken, 3);
    }
    // An empty line in one-value mode still takes an index in the line stream.
    const LineContainer idx = read(write("i", "5\n\n6\n"), 0, 0);
    if (GetParam() == Way::WholeFile) {
        EXPECT_TRUE(has_points(idx, {{0, 5}}));
    } else {
        EXPECT_TRUE(has_points(idx, {{0, 5}, {2, 6}}));
    }
}

TEST_F(ReaderTest, WholeFileReadStopsAtEmptyFirstLineButNotAtCarriageReturnLine) {
    const LineContainer first = read(dir_.write("a", "\n1 1\n"), 0, 1);
    EXPECT_TRUE(has_points(first, {}));
    EXPECT_EQ(first.lines_taken, 0);

    const LineContainer cr = read(dir_.write("b", "1 1\n\r\n2 2\n"), 0, 1);
    EXPECT_TRUE(has_points(cr, {{1, 1}, {2, 2}}));
    EXPECT_EQ(cr.lines_taken, 3);
}

TEST_P(BothWays, ByteOrderMarkAtStartIsSkipped) {
    const std::string bom = "\xEF\xBB\xBF";
    const LineContainer plain = read(write("p", bom + "1 2\n3 4\n"), 0, 1);
    EXPECT_TRUE(has_points(plain, {{1, 2}, {3, 4}}));
    EXPECT_EQ(plain.lines_taken, 2);

    // The mark does not hide a comment behind it.
    const LineContainer comment = read(write("c", bom + "# head\n1 2\n"), 0, 1);
    EXPECT_TRUE(has_points(comment, {{1, 2}}));
    EXPECT_EQ(comment.lines_taken, 1);

    // Elsewhere the same bytes are just text that does not convert.
    const LineContainer middle = read(write("m", "1 2\n" + bom + "3 4\n5 6\n"), 0, 1);
    EXPECT_TRUE(has_points(middle, {{1, 2}, {5, 6}}));
    EXPECT_EQ(middle.lines_taken, 3);

    const LineContainer partial = read(write("h",
                                             "\xEF\xBB"
                                             "1 2\n3 4\n"),
                                       0, 1);
    EXPECT_TRUE(has_points(partial, {{3, 4}}));
    EXPECT_EQ(partial.lines_taken, 2);
}

TEST_F(ReaderTest, FileOfOnlyAByteOrderMarkGivesNothing) {
    const LineContainer c = read(dir_.write("b", "\xEF\xBB\xBF"), 0, 1);
    EXPECT_TRUE(has_points(c, {}));
    EXPECT_EQ(c.lines_taken, 0);
}

// ---------------------------------------------------------------------------------------------
// New lines only, and what lines_taken counts.

TEST_P(BothWays, AddOnlySkipsTakenDataLinesByIndex) {
    for (const bool many_comments : {false, true}) {
        std::string content = "# c\n";
        for (int i = 0; i < 5; ++i) {
            content += std::to_string(10 + i) + " " + std::to_string(i) + "\n";
            if (many_comments)
                content += "#\n# more\n";
        }
        const std::string path = write(many_comments ? "many" : "one", content);
        LineContainer c;
        for (int i = 0; i < 3; ++i)
            c.note_line_taken();
        read(c, path, 0, 1, true);
        EXPECT_TRUE(has_points(c, {{13, 3}, {14, 4}})) << "many comments " << many_comments;
        EXPECT_EQ(c.lines_taken, 5);
        read(c, path, 0, 1, true);
        EXPECT_EQ(c.count, 2) << "a line was taken twice";
        EXPECT_EQ(c.lines_taken, 5);
    }
}

TEST_P(BothWays, AddOnlyKeepsDataLineIndexAcrossReads) {
    const std::string path = write("i", "5\nx\n6\n");
    LineContainer c;
    read(c, path, 0, 0, true);
    dir_.append("i", "#\n7\n");
    read(c, path, 0, 0, true);
    EXPECT_TRUE(has_points(c, {{0, 5}, {2, 6}, {3, 7}}));
    EXPECT_EQ(c.lines_taken, 4);
}

TEST_P(BothWays, ReadWithoutAddOnlyAppendsAgain) {
    const std::string path = write("a", "1 2\nbad\n3 4\n");
    LineContainer c;
    read(c, path, 0, 1);
    read(c, path, 0, 1);
    EXPECT_TRUE(has_points(c, {{1, 2}, {3, 4}, {1, 2}, {3, 4}}));
    EXPECT_EQ(c.lines_taken, 6);
}

TEST_P(BothWays, LinesThatDoNotConvertAreStillTaken) {
    const std::string path = write("n", "1 2\nx y\n1\n,5\n3 4\n");
    LineContainer c;
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 2}, {3, 4}}));
    EXPECT_EQ(c.lines_taken, 5);
    dir_.append("n", "bad\n5 6\n");
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 2}, {3, 4}, {5, 6}}));
    EXPECT_EQ(c.lines_taken, 7);
}

TEST_F(ReaderTest, FileTruncatedBetweenReads) {
    const std::string path = dir_.write("t", "1 1\n2 2\n3 3\n");
    LineContainer c;
    read(c, path, 0, 1, true);
    EXPECT_EQ(c.lines_taken, 3);

    // Shorter than what was taken: nothing new, nothing lost.
    dir_.write("t", "9 9\n");
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 1}, {2, 2}, {3, 3}}));
    EXPECT_EQ(c.lines_taken, 3);

    dir_.write("t", "");
    read(c, path, 0, 1, true);
    EXPECT_EQ(c.count, 3);
    EXPECT_EQ(c.lines_taken, 3);

    // Grown again: lines are skipped by index, so the fourth data line is the next one taken.
    dir_.write("t", "9 9\n4 4\n5 5\n6 6\n7 7");
    read(c, path, 0, 1, true);
    EXPECT_TRUE(has_points(c, {{1, 1}, {2, 2}, {3, 3}, {6, 6}}));
    EXPECT_EQ(c.lines_taken, 4);
}

}  // namespace
