// Writing a file whole or not at all.
#include "atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "temp_dir.h"

namespace tarvik {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

bool write_text(std::FILE* f, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), f) == text.size();
}

std::size_t entries(const TempDir& dir) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir.path()), {}));
}

TEST(AtomicFile, ReplacesThroughALinkAndKeepsPermissions) {
    TempDir dir;
    const std::string target = dir.write("plot.xml", "old");
    ::chmod(target.c_str(), 0640);
    fs::create_symlink(target, dir.file("link.xml"));
    std::string error;
    ASSERT_TRUE(write_file_atomically(
        dir.file("link.xml"), [](std::FILE* f) { return write_text(f, "new"); }, error));
    EXPECT_EQ(testing::read_file_bytes(target), "new");
    EXPECT_TRUE(fs::is_symlink(dir.file("link.xml")));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
    EXPECT_EQ(entries(dir), 2u);  // no temporary file left
}

// Each failure leaves the old file (or folder) as it was, no temporary file, and a reason.
TEST(AtomicFile, FailuresLeaveTheTargetUntouched) {
    TempDir dir;
    const std::string target = dir.write("plot.xml", "old");
    fs::create_directory(dir.file("folder"));
    const auto big = [](std::FILE* f) { return write_text(f, std::string(1 << 20, 'x')); };
    struct Case {
        std::string path;
        std::function<bool(std::FILE*)> write;
        const char* reason;
    };
    const Case cases[] = {
        {target, [](std::FILE*) { return false; }, "Input/output error"},
        {dir.file("missing/plot.xml"), big, "No such file or directory"},
        {dir.file("folder"), big, "Is a directory"},
        {target, big, "File too large"},  // the disk fills up, below
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const bool disk_full = &c == &cases[3];
        rlimit old_limit{};
        ::getrlimit(RLIMIT_FSIZE, &old_limit);
        const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
        if (disk_full) {
            rlimit small = old_limit;
            small.rlim_cur = 1000;
            ::setrlimit(RLIMIT_FSIZE, &small);
        }
        std::string error;
        const bool ok = write_file_atomically(c.path, c.write, error);
        ::setrlimit(RLIMIT_FSIZE, &old_limit);
        std::signal(SIGXFSZ, old_handler);
        EXPECT_FALSE(ok);
        EXPECT_EQ(error, c.reason);
        EXPECT_EQ(testing::read_file_bytes(target), "old");
        EXPECT_TRUE(fs::is_directory(dir.file("folder")));
        EXPECT_EQ(entries(dir), 2u);
    }
}

}  // namespace
}  // namespace tarvik
