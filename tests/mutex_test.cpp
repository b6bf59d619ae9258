// The producer lock between real processes: lock_holder is the other process. Every test uses
// a lock name of its own, so tests may run in parallel beside a running producer.
#include "mutex.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <future>
#include <map>
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

constexpr auto kBound = 3000ms;  // the longest any single step of a test waits

std::string unique_name() {
    static int n = 0;
    return "TarvikMutexTest-" + std::to_string(getpid()) + "-" + std::to_string(++n);
}

bool exited_with(std::optional<int> status, int code) {
    return status && WIFEXITED(*status) && WEXITSTATUS(*status) == code;
}

class MutexTest : public ::testing::Test {
  protected:
    MutexTest() { Mutex::remove_name(name_); }
    ~MutexTest() override { Mutex::remove_name(name_); }

    // A process that holds the lock until its standard input is closed.
    std::unique_ptr<ChildProcess> start_holder() {
        auto holder = std::make_unique<ChildProcess>(LOCK_HOLDER_PATH,
                                                     std::vector<std::string>{"hold", name_});
        EXPECT_EQ(holder->read_line(kBound), "0");
        return holder;
    }

    // What another process's wait with that time-out returns right now.
    std::string probe(std::uint32_t timeout_ms = 100) {
        ChildProcess p(LOCK_HOLDER_PATH, {"probe", name_, std::to_string(timeout_ms)});
        const auto line = p.read_line(kBound + std::chrono::milliseconds(timeout_ms));
        EXPECT_TRUE(exited_with(p.wait(kBound), 0));
        return line.value_or("no answer");
    }

    const std::string name_ = unique_name();
};

TEST_F(MutexTest, AcquireWaitsWhileAnotherProcessHoldsTheLock) {
    auto holder = start_holder();
    // A long but finite time-out keeps the test from hanging if the lock is never handed over.
    Mutex m(name_, 10000);
    std::promise<std::uint32_t> got;
    auto result = got.get_future();
    std::thread waiter([&] {
        m.aquire();
        got.set_value(m.wait_return_code());
        if (m.wait_return_code() == kWaitObject0)
            m.release();
    });
    EXPECT_EQ(result.wait_for(300ms), std::future_status::timeout);
    holder->close_stdin();
    EXPECT_EQ(holder->read_line(kBound), "released");
    const bool answered = result.wait_for(kBound) == std::future_status::ready;
    waiter.join();
    ASSERT_TRUE(answered);
    EXPECT_EQ(result.get(), kWaitObject0);
    EXPECT_TRUE(exited_with(holder->wait(kBound), 0));
}

TEST_F(MutexTest, WaitWithoutTimeOutEndsWhenTheHolderReleases) {
    auto holder = start_holder();
    ChildProcess waiter(LOCK_HOLDER_PATH, {"probe", name_, std::to_string(kInfinite)});
    EXPECT_EQ(waiter.read_line(300ms), std::nullopt);
    holder->close_stdin();
    EXPECT_EQ(waiter.read_line(kBound), "0");
    EXPECT_TRUE(exited_with(waiter.wait(kBound), 0));
}

TEST_F(MutexTest, FiniteTimeOutGivesUpWithoutOwnership) {
    auto holder = start_holder();
    PromptRecorder prompts;
    Mutex m(name_, 150);
    const auto start = std::chrono::steady_clock::now();
    m.aquire();
    EXPECT_EQ(m.wait_return_code(), kWaitTimeout);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 140ms);
    // Not granted, so the release that follows fails and leaves the holder's lock alone.
    m.release();
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Release Mutex failed"});
    EXPECT_EQ(probe(), "258");

    holder->close_stdin();
    EXPECT_EQ(holder->read_line(kBound), "released");
    m.aquire();
    EXPECT_EQ(m.wait_return_code(), kWaitObject0);
    m.release();
    EXPECT_EQ(prompts.prompts().size(), 1u);
}

TEST_F(MutexTest, KilledHolderLeavesTheLockAbandonedToTheNextWaiter) {
    auto holder = start_holder();
    Mutex m(name_, 10000);
    std::promise<std::uint32_t> got;
    std::promise<void> release_now;
    auto result = got.get_future();
    std::thread waiter([&] {
        m.aquire();
        got.set_value(m.wait_return_code());
        release_now.get_future().wait_for(10s);
        m.release();
    });
    EXPECT_EQ(result.wait_for(200ms), std::future_status::timeout);
    holder->kill(SIGKILL);
    EXPECT_TRUE(holder->wait(kBound));
    const bool answered = result.wait_for(kBound) == std::future_status::ready;
    if (answered) {
        EXPECT_EQ(result.get(), kWaitAbandoned);
        // The abandoned lock now belongs to the waiter: another process cannot have it.
        EXPECT_EQ(probe(), "258");
    }
    release_now.set_value();
    waiter.join();
    ASSERT_TRUE(answered);
    EXPECT_EQ(probe(), "0");
}

TEST_F(MutexTest, ProcessEndingWithTheLockHeldAbandonsIt) {
    // The lock object is destroyed during exit while still held; it must still be handed on.
    ChildProcess ender(LOCK_HOLDER_PATH, {"exit-held", name_});
    EXPECT_EQ(ender.read_line(kBound), "0");
    EXPECT_TRUE(exited_with(ender.wait(kBound), 0));
    PromptRecorder prompts;
    Mutex m(name_, 2000);
    m.aquire();
    EXPECT_EQ(m.wait_return_code(), kWaitAbandoned);
    m.release();
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_EQ(probe(), "0");
}

TEST_F(MutexTest, ReleaseWithoutOwnershipReportsOncePerCallAndChangesNothing) {
    auto holder = start_holder();
    PromptRecorder prompts;
    Mutex m(name_, kInfinite);
    m.release();
    m.release();
    ASSERT_EQ(prompts.prompts().size(), 2u);
    for (const auto& p : prompts.prompts()) {
        EXPECT_EQ(p.text, "Release Mutex failed");
        EXPECT_EQ(p.caption, "Mutex release");
        EXPECT_EQ(p.icon, prompt::Icon::None);
        EXPECT_EQ(p.buttons, prompt::Buttons::Ok);
    }
    EXPECT_EQ(m.wait_return_code(), kWaitFailed);  // no wait happened
    EXPECT_EQ(probe(), "258");                     // the holder still has it
    holder->close_stdin();
    EXPECT_EQ(holder->read_line(kBound), "released");
}

TEST_F(MutexTest, SameThreadMayAcquireRecursively) {
    PromptRecorder prompts;
    Mutex m(name_, 1000);
    m.aquire();
    EXPECT_EQ(m.wait_return_code(), kWaitObject0);
    m.aquire();
    EXPECT_EQ(m.wait_return_code(), kWaitObject0);
    m.release();
    EXPECT_EQ(probe(), "258");  // one grant is still outstanding
    m.release();
    EXPECT_EQ(probe(), "0");
    EXPECT_TRUE(prompts.prompts().empty());
    m.release();
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Release Mutex failed"});
}

TEST_F(MutexTest, ANewLockIsOpenToOtherAccounts) {
    Mutex m(name_, kInfinite);
    ASSERT_TRUE(m.valid());
    struct stat st {};
    ASSERT_EQ(stat(("/dev/shm/" + name_).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666u);
}

// Checks from the log of a race that every "in" line is followed by the "out" line of the
// same process, i.e. no two processes were ever inside together.
void expect_mutual_exclusion(const std::string& log, int processes, int rounds) {
    std::istringstream in(log);
    std::string pid, what, out_pid, out_what;
    std::map<std::string, int> rounds_of;
    int pairs = 0;
    while (in >> pid >> what) {
        ASSERT_EQ(what, "in");
        ASSERT_TRUE(in >> out_pid >> out_what);
        ASSERT_EQ(out_pid, pid) << "two processes held the lock at once";
        ASSERT_EQ(out_what, "out");
        ++rounds_of[pid];
        ++pairs;
    }
    EXPECT_EQ(pairs, processes * rounds);
    EXPECT_EQ(rounds_of.size(), static_cast<std::size_t>(processes));
}

TEST(MutexRace, ProcessesCreatingOneNameTogetherShareOneLock) {
    constexpr int kProcesses = 4;
    constexpr int kRounds = 10;
    for (int trial = 0; trial < 4; ++trial) {
        const std::string name = unique_name();
        Mutex::remove_name(name);
        testing::TempDir dir;
        const std::string log = dir.file("log");
        std::vector<std::unique_ptr<ChildProcess>> racers;
        for (int i = 0; i < kProcesses; ++i) {
            racers.push_back(std::make_unique<ChildProcess>(
                LOCK_HOLDER_PATH,
                std::vector<std::string>{"race", name, log, std::to_string(kRounds)}));
        }
        // They all wait for their input to close, so they open the new name at one moment.
        for (auto& r : racers)
            r->close_stdin();
        for (auto& r : racers) {
            EXPECT_TRUE(exited_with(r->wait(5000ms), 0)) << r->read_stderr();
        }
        Mutex::remove_name(name);
        expect_mutual_exclusion(testing::read_file_bytes(log), kProcesses, kRounds);
    }
}

TEST(MutexCreation, FailureIsReportedAndTheObjectStaysUsable) {
    struct Case {
        std::string name;
        std::string text;
    };
    // A slash inside the name is refused with EINVAL (22). An overlong name is refused too,
    // with whatever number the C library chooses, right-aligned in six places.
    const std::string overlong(300, 'x');
    errno = 0;
    EXPECT_EQ(shm_open(("/" + overlong).c_str(), O_RDWR, 0), -1);
    const std::string code = std::to_string(errno);
    const Case cases[] = {
        {"Tarvik/Bad", "CreateMutex failed with code    22"},
        {overlong, "CreateMutex failed with code" + std::string(6 - code.size(), ' ') + code}};
    for (const auto& c : cases) {
        PromptRecorder prompts;
        Mutex m(c.name, kInfinite);
        EXPECT_FALSE(m.valid());
        ASSERT_EQ(prompts.prompts().size(), 1u);
        EXPECT_EQ(prompts.prompts()[0].text, c.text);
        EXPECT_EQ(prompts.prompts()[0].caption, "Mutex:");
        EXPECT_EQ(prompts.prompts()[0].icon, prompt::Icon::Error);
        EXPECT_EQ(prompts.prompts()[0].buttons, prompt::Buttons::Ok);
        {
            Lock lock(m);
            EXPECT_EQ(m.wait_return_code(), kWaitFailed);
        }
        ASSERT_EQ(prompts.prompts().size(), 2u);
        EXPECT_EQ(prompts.prompts()[1].text, "Release Mutex failed");
        EXPECT_EQ(prompts.prompts()[1].caption, "Mutex release");
    }
}

}  // namespace
}  // namespace tarvik
