// The test producer: the bytes of a pass, the time stamp, how it treats each outcome of the
// lock, and the real program in a scratch folder.
#include "quenmar.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <sstream>
#include <thread>

#include "child_process.h"
#include "prompt_recorder.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

using namespace std::chrono_literals;
using testing::ChildProcess;
using testing::PromptRecorder;
using testing::read_file_bytes;
using testing::TempDir;

constexpr auto kBound = 3000ms;
const std::string kHeader = "#Output from quenmar program \n";
const double kStep = (std::acos(-1.0) + std::acos(-1.0)) / 64;
constexpr double kThreeLines = 0.25;  // a limit that lets a pass write angles 0, 0.098, 0.196

std::string unique_name() {
    static int n = 0;
    return "TarvikQuenmarTest-" + std::to_string(getpid()) + "-" + std::to_string(++n);
}

std::vector<std::string> lines_of(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Three numbers with three decimals, separated by commas.
bool is_data_line(const std::string& line) {
    std::istringstream in(line);
    std::string field;
    int fields = 0;
    while (std::getline(in, field, ',')) {
        const std::size_t digits = field.rfind('.');
        const std::size_t first = field.starts_with('-') ? 1 : 0;
        if (digits == std::string::npos || digits == first || field.size() - digits != 4 ||
            field.find_first_not_of("0123456789.", first) != std::string::npos) {
            return false;
        }
        ++fields;
    }
    return fields == 3;
}

class PrintPlotTest : public ::testing::Test {
  protected:
    PrintPlotTest() { Mutex::remove_name(name_); }
    ~PrintPlotTest() override { Mutex::remove_name(name_); }

    std::unique_ptr<ChildProcess> start_holder() {
        auto holder = std::make_unique<ChildProcess>(LOCK_HOLDER_PATH,
                                                     std::vector<std::string>{"hold", name_});
        EXPECT_EQ(holder->read_line(kBound), "0");
        return holder;
    }

    // Runs a short pass on another thread while a second process holds the lock, lets
    // what_then end the hold, and returns whether the pass finished. If it does not, the
    // holder is killed so the pass cannot block the test for ever.
    bool pass_while_held(Mutex& m, const std::function<void(ChildProcess&)>& what_then) {
        auto holder = start_holder();
        auto pass = std::async(std::launch::async,
                               [&] { quenmar::print_plot(file_, 0.0, kStep, 0, kThreeLines, m); });
        EXPECT_EQ(pass.wait_for(300ms), std::future_status::timeout);
        EXPECT_EQ(read_file_bytes(file_), kHeader) << "wrote while the lock was held elsewhere";
        what_then(*holder);
        const bool finished = pass.wait_for(kBound) == std::future_status::ready;
        if (!finished)
            holder->kill(SIGKILL);
        pass.get();
        return finished;
    }

    const std::string name_ = unique_name();
    TempDir dir_;
    const std::string file_ = dir_.file("marquen.txt");
};

TEST_F(PrintPlotTest, OnePassIsTheHeaderAnd204Lines) {
    PromptRecorder prompts;
    Mutex m(name_, kInfinite);
    quenmar::print_plot(file_, 0.0, kStep, 0, 20.0, m);

    const std::string bytes = read_file_bytes(file_);
    ASSERT_EQ(bytes.substr(0, kHeader.size()), kHeader);
    ASSERT_EQ(bytes.back(), '\n');
    const auto lines = lines_of(bytes);
    ASSERT_EQ(lines.size(), 205u);
    EXPECT_EQ(lines[1], "0.000,0.000,1.000");
    EXPECT_EQ(lines[2], "0.098,0.098,0.995");
    EXPECT_EQ(lines[3], "0.196,0.195,0.981");
    EXPECT_EQ(lines[203], "19.831,0.831,0.556");
    EXPECT_EQ(lines[204], "19.929,0.882,0.471");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_TRUE(is_data_line(lines[i])) << "line " << i << ": " << lines[i];
    }
    EXPECT_TRUE(prompts.prompts().empty());

    // The next pass empties the file and starts again from angle 0.
    quenmar::print_plot(file_, 0.0, kStep, 0, 0.1, m);
    EXPECT_EQ(read_file_bytes(file_), kHeader + "0.000,0.000,1.000\n0.098,0.098,0.995\n");
}

TEST_F(PrintPlotTest, WritesNothingUntilTheHolderReleases) {
    PromptRecorder prompts;
    Mutex m(name_, kInfinite);
    ASSERT_TRUE(pass_while_held(m, [](ChildProcess& holder) { holder.close_stdin(); }));
    // The pending line comes as soon as the lock is free; none is lost.
    EXPECT_EQ(read_file_bytes(file_),
              kHeader + "0.000,0.000,1.000\n0.098,0.098,0.995\n0.196,0.195,0.981\n");
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST_F(PrintPlotTest, AbandonedLockSkipsThatLineWithAMessage) {
    PromptRecorder prompts;
    Mutex m(name_, kInfinite);
    ASSERT_TRUE(pass_while_held(m, [](ChildProcess& holder) { holder.kill(SIGKILL); }));
    EXPECT_EQ(read_file_bytes(file_), kHeader + "0.098,0.098,0.995\n0.196,0.195,0.981\n");
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "Mutex returned with ABANDONED");
    EXPECT_EQ(prompts.prompts()[0].caption, "marquen:");
}

TEST_F(PrintPlotTest, TimedOutWaitsWriteNothing) {
    auto holder = start_holder();
    PromptRecorder prompts;
    Mutex m(name_, 20);
    quenmar::print_plot(file_, 0.0, kStep, 0, kThreeLines, m);
    EXPECT_EQ(read_file_bytes(file_), kHeader);
    // Each step: the time-out message, then the release of a lock it never got fails.
    const std::vector<std::string> step = {"Mutex retruned with TIMEOUT", "Release Mutex failed"};
    std::vector<std::string> expected;
    for (int i = 0; i < 3; ++i)
        expected.insert(expected.end(), step.begin(), step.end());
    EXPECT_EQ(prompts.texts(), expected);
    EXPECT_EQ(prompts.prompts()[0].caption, "marquen:");
}

TEST_F(PrintPlotTest, BrokenLockWritesOnlyTheHeader) {
    PromptRecorder prompts;
    Mutex m("Tarvik/Bad", kInfinite);
    quenmar::print_plot(file_, 0.0, kStep, 0, kThreeLines, m);
    EXPECT_EQ(read_file_bytes(file_), kHeader);
    const auto texts = prompts.texts();
    ASSERT_EQ(texts.size(), 4u);  // the creation failure, then one failed release per step
    EXPECT_EQ(texts[0].rfind("CreateMutex failed with code", 0), 0u);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(texts[i], "Release Mutex failed");
}

TEST(SetCurrentFileTime, MovesTheWriteTimeToNowAndKeepsTheAccessTime) {
    TempDir dir;
    const std::string file = dir.write("data.txt", "1 2\n");
    const timespec old_time{978307200, 0};  // 2001-01-01
    const timespec times[2] = {old_time, old_time};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);

    ASSERT_TRUE(quenmar::set_current_file_time(file));
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_LE(std::abs(st.st_mtim.tv_sec - std::time(nullptr)), 5);
    EXPECT_EQ(st.st_atim.tv_sec, old_time.tv_sec);
    EXPECT_EQ(read_file_bytes(file), "1 2\n");
}

TEST(SetCurrentFileTime, MissingFileIsReportedAndNotCreated) {
    TempDir dir;
    const std::string file = dir.file("missing.txt");
    ::testing::internal::CaptureStderr();
    const bool ok = quenmar::set_current_file_time(file);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Create file failed with code 2 \n");
    EXPECT_FALSE(ok);
    EXPECT_FALSE(std::filesystem::exists(file));
}

bool file_has_a_data_line(const std::string& file) {
    const std::string bytes = read_file_bytes(file);
    return bytes.size() > kHeader.size() && bytes.back() == '\n';
}

TEST(QuenmarProgram, AppendsLinesToMarquenTxtInItsFolder) {
    TempDir dir;
    const std::string file = dir.file("marquen.txt");
    ChildProcess quenmar(QUENMAR_PATH, {}, dir.path());
    const auto deadline = std::chrono::steady_clock::now() + kBound;
    while (!file_has_a_data_line(file) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    // It holds the lock only around a line and then sleeps a second; stop it while it sleeps.
    std::this_thread::sleep_for(100ms);
    quenmar.kill(SIGTERM);
    ASSERT_TRUE(quenmar.wait(kBound));
    const std::string stderr_text = quenmar.read_stderr();

    const auto lines = lines_of(read_file_bytes(file));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0] + "\n", kHeader);
    if (stderr_text.empty()) {
        EXPECT_EQ(lines[1], "0.000,0.000,1.000");
    } else {
        // Someone else left the shared producer lock abandoned: that first line is skipped.
        EXPECT_EQ(stderr_text, "marquen: Mutex returned with ABANDONED\n");
    }
}

TEST(QuenmarProgram, EndsWithStatus2WhenTheFileCannotBeOpened) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("marquen.txt"));
    ChildProcess quenmar(QUENMAR_PATH, {}, dir.path());
    const auto status = quenmar.wait(kBound);
    ASSERT_TRUE(status);
    EXPECT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), quenmar::kExitCannotOpen);
    const std::string message = quenmar.read_stderr();
    EXPECT_NE(message.find("cannot open marquen.txt for writing"), std::string::npos) << message;
}

}  // namespace
}  // namespace tarvik
