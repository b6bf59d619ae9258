// A real producer in another process appends under the producer lock while the document
// follows the file on its timer: every line arrives once, in order, and never in part.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

#include "mutex.h"
#include "plot_view_state.h"
#include "prompt_recorder.h"
#include "quenmar.h"
#include "tarvik_doc.h"
#include "temp_dir.h"
#include "timer_tick.h"

namespace tarvik {
namespace {

using namespace std::chrono_literals;
using testing::PromptRecorder;
using testing::read_file_bytes;
using testing::TempDir;
using Points = std::vector<std::pair<double, double>>;

constexpr auto kBound = 60s;  // the whole pass takes about half a second

Points points_of(const LineContainer& c) {
    Points p;
    for (std::size_t k = 0; k < c.x.size(); ++k)
        p.emplace_back(c.x[k], c.y[k]);
    return p;
}

// The angle and sine of every "angle,sine,cosine" line; comment lines are skipped.
Points file_points(const std::string& bytes) {
    Points p;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with('#'))
            continue;
        const std::size_t comma = line.find(',');
        p.emplace_back(std::strtod(line.c_str(), nullptr),
                       std::strtod(line.c_str() + comma + 1, nullptr));
    }
    return p;
}

bool is_prefix(const Points& part, const Points& whole) {
    return part.size() <= whole.size() && std::equal(part.begin(), part.end(), whole.begin());
}

TEST(LiveFeedTest, EveryLineArrivesOnceAndWhole) {
    PromptRecorder prompts;
    TempDir dir;
    // The curve exists before the producer starts; its first act is to empty the file.
    const std::string file = dir.write("marquen.txt", "");
    CTarvikDoc doc;
    ASSERT_TRUE(doc.append_curve(file, 0, 1, "", true));
    PlotViewState view;
    view.m_TimerId = 1;

    const double step = (std::acos(-1.0) + std::acos(-1.0)) / 64;
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        Mutex lock(kProducerMutexName, kInfinite);
        quenmar::print_plot(file, 0.0, step, 2, 20.0, lock);
        ::_exit(0);
    }

    std::vector<Points> seen;  // the front store after every tick that read
    int status = 0;
    bool ended = false;
    const auto deadline = std::chrono::steady_clock::now() + kBound;
    while (!ended && std::chrono::steady_clock::now() < deadline) {
        if (timer_tick(doc, view, 1).updated)
            seen.push_back(points_of(doc.history(0).front()));
        ended = ::waitpid(child, &status, WNOHANG) == child;
        if (!ended)
            std::this_thread::sleep_for(3ms);
    }
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        FAIL() << "the producer did not finish its pass";
    }
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    timer_tick(doc, view, 1);

    const Points expected = file_points(read_file_bytes(file));
    ASSERT_EQ(expected.size(), 204u);
    EXPECT_EQ(expected[1], std::make_pair(0.098, 0.098));
    EXPECT_EQ(expected[203], std::make_pair(19.929, 0.882));
    const LineContainer& front = doc.history(0).front();
    EXPECT_EQ(front.lines_taken, 204);
    EXPECT_EQ(points_of(front), expected);
    // The reads really overlapped the writing, and none took a line in part.
    EXPECT_GT(seen.size(), 1u);
    for (std::size_t k = 0; k < seen.size(); ++k) {
        EXPECT_TRUE(is_prefix(seen[k], expected)) << "read " << k << " of " << seen.size();
        if (k > 0) {
            EXPECT_GE(seen[k].size(), seen[k - 1].size());
        }
    }
    EXPECT_TRUE(prompts.prompts().empty());
}

}  // namespace
}  // namespace tarvik
