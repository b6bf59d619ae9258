// The file monitor against real files: write times are set explicitly, so no test waits for
// the clock to move.
#include "file_monitor.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "temp_dir.h"

namespace tarvik {
namespace {

using testing::TempDir;

constexpr std::uint64_t kSecond = 1000000000ULL;

// Sets the file's last-write time to `seconds` after 1970.
void set_mtime(const std::string& path, std::int64_t seconds) {
    const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

class FileMonitorTest : public ::testing::Test {
  protected:
    // A file holding `bytes` with the write time `seconds`.
    std::string make(const std::string& name, const std::string& bytes, std::int64_t seconds) {
        const std::string path = dir_.write(name, bytes);
        set_mtime(path, seconds);
        return path;
    }

    TempDir dir_;
    FileMonitor monitor_;
};

TEST_F(FileMonitorTest, ExistenceAndWriteTime) {
    const std::string file = make("a.txt", "1 2\n", 1000);
    EXPECT_TRUE(file_exists(file));
    EXPECT_TRUE(file_exists(dir_.path()));  // a directory counts as existing
    EXPECT_FALSE(file_exists(dir_.file("none.txt")));
    EXPECT_FALSE(file_exists(dir_.file("none/a.txt")));  // a folder on the path is missing
    EXPECT_FALSE(file_exists(file + "/below"));          // a file used as a folder
    EXPECT_EQ(last_write_time(file), 1000 * kSecond);
    EXPECT_EQ(last_write_time(dir_.file("none.txt")), std::nullopt);
}

TEST_F(FileMonitorTest, NewEntryIsUnchangedWithTheCurrentTime) {
    const std::string file = make("a.txt", "1 2\n", 1000);
    ASSERT_TRUE(monitor_.add(file));
    ASSERT_EQ(monitor_.size(), 1u);
    EXPECT_EQ(monitor_.name(0), file);
    EXPECT_EQ(monitor_.write_time(0), 1000 * kSecond);
    EXPECT_EQ(monitor_.status(0), FILE_UNCHANGED);
    // Nothing written: every check says unchanged.
    EXPECT_EQ(monitor_.check(0), FILE_UNCHANGED);
    EXPECT_EQ(monitor_.check(0), FILE_UNCHANGED);
}

TEST_F(FileMonitorTest, AppendAndTouchIsOneChange) {
    const std::string file = make("a.txt", "1 2\n", 1000);
    ASSERT_TRUE(monitor_.add(file));
    dir_.append("a.txt", "2 3\n");
    set_mtime(file, 1001);
    EXPECT_EQ(monitor_.check(0), FILE_CHANGED);
    EXPECT_EQ(monitor_.status(0), FILE_CHANGED);
    EXPECT_EQ(monitor_.write_time(0), 1001 * kSecond);
    EXPECT_EQ(monitor_.check(0), FILE_UNCHANGED);
    EXPECT_EQ(monitor_.status(0), FILE_UNCHANGED);
}

TEST_F(FileMonitorTest, TouchAloneOrGrowthAloneIsAChange) {
    const std::string file = make("a.txt", "1 2\n", 1000);
    ASSERT_TRUE(monitor_.add(file));
    set_mtime(file, 999);  // a time moving backwards differs too
    EXPECT_EQ(monitor_.check(0), FILE_CHANGED);
    // A line appended within the same tick of the file clock: only the size tells.
    dir_.append("a.txt", "2 3\n");
    set_mtime(file, 999);
    EXPECT_EQ(monitor_.check(0), FILE_CHANGED);
    EXPECT_EQ(monitor_.check(0), FILE_UNCHANGED);
}

TEST_F(FileMonitorTest, DeletedFileIsMissingUntilWrittenAgain) {
    const std::string file = make("a.txt", "1 2\n", 1000);
    ASSERT_TRUE(monitor_.add(file));
    std::filesystem::remove(file);
    EXPECT_EQ(monitor_.check(0), FILE_MISSING);
    EXPECT_EQ(monitor_.check(0), FILE_MISSING);
    EXPECT_EQ(monitor_.write_time(0), 1000 * kSecond);
    EXPECT_EQ(monitor_.name(0), file);

    make("a.txt", "5 6\n7 8\n", 1002);
    EXPECT_EQ(monitor_.check(0), FILE_CHANGED);
    EXPECT_EQ(monitor_.write_time(0), 1002 * kSecond);
    EXPECT_EQ(monitor_.check(0), FILE_UNCHANGED);
}

TEST_F(FileMonitorTest, RewrittenFileIsAChange) {
    const std::string file = make("a.txt", "1 2\n3 4\n", 1000);
    ASSERT_TRUE(monitor_.add(file));
    make("a.txt", "9 9\n", 1001);  // shorter, new time
    EXPECT_EQ(monitor_.check(0), FILE_CHANGED);
    make("a.txt", "8 8\n", 1002);  // same size, new time
    EXPECT_EQ(monitor_.check(0), FILE_CHANGED);
}

TEST_F(FileMonitorTest, AddOfAMissingPathChangesNothing) {
    const std::string file = make("a.txt", "1 2\n", 1000);
    ASSERT_TRUE(monitor_.add(file));
    EXPECT_FALSE(monitor_.add(dir_.file("none.txt")));
    EXPECT_FALSE(monitor_.add(dir_.file("none/a.txt")));
    ASSERT_EQ(monitor_.size(), 1u);
    EXPECT_EQ(monitor_.name(0), file);
    EXPECT_EQ(monitor_.check(0), FILE_UNCHANGED);
}

TEST_F(FileMonitorTest, RemoveKeepsTheOthersInOrder) {
    const std::string a = make("a.txt", "1\n", 1000);
    const std::string b = make("b.txt", "1\n", 2000);
    const std::string c = make("c.txt", "1\n", 3000);
    ASSERT_TRUE(monitor_.add(a));
    ASSERT_TRUE(monitor_.add(b));
    ASSERT_TRUE(monitor_.add(c));
    set_mtime(c, 3001);
    ASSERT_EQ(monitor_.check(2), FILE_CHANGED);

    monitor_.remove(1);
    ASSERT_EQ(monitor_.size(), 2u);
    EXPECT_EQ(monitor_.name(0), a);
    EXPECT_EQ(monitor_.write_time(0), 1000 * kSecond);
    EXPECT_EQ(monitor_.status(0), FILE_UNCHANGED);
    EXPECT_EQ(monitor_.name(1), c);
    EXPECT_EQ(monitor_.write_time(1), 3001 * kSecond);
    EXPECT_EQ(monitor_.status(1), FILE_CHANGED);
    // The entries still answer for their own files.
    set_mtime(a, 1001);
    EXPECT_EQ(monitor_.check(0), FILE_CHANGED);
    EXPECT_EQ(monitor_.check(1), FILE_UNCHANGED);

    monitor_.remove(0);
    monitor_.remove(0);
    EXPECT_EQ(monitor_.size(), 0u);
}

}  // namespace
}  // namespace tarvik
