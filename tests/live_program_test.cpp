// The live program end to end: the real test producer writes its file in a scratch folder,
// start-up opens a plot on it from a command-line request, and the real timer runs until the
// curve has grown and the window's picture has changed. And batch rendering as its own process.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "child_frame.h"
#include "child_process.h"
#include "main_frame.h"
#include "prompt_recorder.h"
#include "qt_messages.h"
#include "tarvik_app.h"
#include "tarvik_doc.h"
#include "tarvik_view.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

using namespace std::chrono_literals;

// Keeps the event loop running until done() holds or the time is up.
template <typename Done>
bool wait_until(Done done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end)
        QTest::qWait(50);
    return done();
}

TEST(LiveProgram, CurveFromTheRealProducerGrowsInItsWindow) {
    testing::TempDir dir;
    testing::PromptRecorder prompts;
    testing::ChildProcess quenmar(QUENMAR_PATH, {}, dir.path());
    const std::string data = dir.file("marquen.txt");
    ASSERT_TRUE(wait_until([&] { return std::filesystem::exists(data); }, 10s));

    CTarvikApp app;
    StartupPlan plan;
    plan.plot_requests.push_back(PlotRequest{data, 0, 1, 0, 20, -1.1, 1.1});
    ASSERT_TRUE(app.InitInstance(true, plan));
    const auto windows = app.main_frame()->plot_windows();
    ASSERT_EQ(windows.size(), 1u);
    CChildFrame& window = *windows.front();
    EXPECT_TRUE(window.isMaximized());
    CTarvikDoc& doc = window.document();
    const int first = doc.history(0).front().count;
    const QImage before = window.view().rendered_image();

    // Quenmar appends one line a second; the plot's own one-second timer picks them up.
    ASSERT_TRUE(wait_until([&] { return doc.history(0).front().count >= first + 2; }, 15s));
    EXPECT_NE(window.view().rendered_image(), before);
    EXPECT_NE(window.windowTitle().toStdString().find("marquen.txt 0-1"), std::string::npos);
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST(LiveProgram, StatusBarSaysWhereAGrowingFileStopsAtAnEmptyLine) {
    testing::TempDir dir;
    testing::PromptRecorder prompts;
    const std::string data = dir.write("run.csv", "0,0\n1,1\n");
    CTarvikApp app;
    StartupPlan plan;
    plan.plot_requests.push_back(PlotRequest{data, 0, 1, 0, 10, 0, 10});
    ASSERT_TRUE(app.InitInstance(true, plan));
    CTarvikDoc& doc = app.main_frame()->plot_windows().front()->document();
    auto* status = app.main_frame()->statusBar()->findChild<QLabel*>();
    ASSERT_NE(status, nullptr);
    const auto shows = [&](const std::string& text) {
        return status->text().toStdString().find(text) != std::string::npos;
    };

    dir.append("run.csv", "2,2\n");
    ASSERT_TRUE(wait_until([&] { return doc.history(0).front().count == 3; }, 15s));
    EXPECT_FALSE(shows("data ends"));

    // The producer writes an empty line, then goes on: the curve stops and the bar says why.
    dir.append("run.csv", "\n3,3\n");
    const std::string notice = "data ends at line 4 of " + data + ": an empty line";
    ASSERT_TRUE(wait_until([&] { return shows(notice); }, 15s)) << status->text().toStdString();
    EXPECT_EQ(status->toolTip().toStdString(), notice);
    dir.append("run.csv", "4,4\n");
    QTest::qWait(2500);
    EXPECT_EQ(doc.history(0).front().count, 3);
    EXPECT_TRUE(shows(notice));

    // The empty line taken out again: the rest arrives and the notice goes.
    dir.write("run.csv", "0,0\n1,1\n2,2\n3,3\n4,4\n");
    ASSERT_TRUE(wait_until([&] { return doc.history(0).front().count == 5; }, 15s));
    EXPECT_FALSE(shows("data ends"));
    EXPECT_TRUE(status->toolTip().isEmpty());
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST(LiveProgram, StartUpOpensRequestsInOrderAndAMissingFileLeavesNoWindow) {
    testing::TempDir dir;
    testing::PromptRecorder prompts;
    CTarvikApp app;
    StartupPlan plan;
    plan.plot_requests.push_back(PlotRequest{dir.write("a.txt", "0 1\n"), 0, 1, 0, 1, 0, 1});
    plan.plot_requests.push_back(PlotRequest{dir.file("missing.txt"), 0, 1, 0, 1, 0, 1});
    plan.plot_requests.push_back(PlotRequest{dir.write("b.txt", "0 1\n"), 0, 1, 0, 1, 0, 1});
    ASSERT_TRUE(app.InitInstance(true, plan));
    const auto windows = app.main_frame()->plot_windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0]->document().file_name(0), dir.file("a.txt"));
    EXPECT_EQ(windows[1]->document().file_name(0), dir.file("b.txt"));
    ASSERT_EQ(prompts.texts(),
              std::vector<std::string>{"File " + dir.file("missing.txt") + " not found"});
}

TEST(LiveProgram, WelcomeExitEndsStartUpWithoutAWindow) {
    CTarvikApp app;
    app.welcome = [] { return 2; };
    EXPECT_FALSE(app.InitInstance(false, {}));
    EXPECT_EQ(app.main_frame(), nullptr);
}

TEST(BatchRendering, PngOfTheRequestedSizeWithoutADisplay) {
    testing::TempDir dir;
    const std::string data = dir.write("sine.txt", "0 0\n1 0.84\n2 0.91\n3 0.14\n");
    const std::string png = dir.file("out.png");
    testing::ChildProcess tarvik(
        TARVIK_PATH, {"--png", png, "--size", "320x200", "-p", data, "0", "1", "0", "3", "-1", "1"},
        dir.path());
    const auto status = tarvik.wait(60s);
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
    EXPECT_EQ(tarvik.read_stderr(), "");  // the program's own messages only, and none here
    const QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(320, 200));

    testing::ChildProcess nothing(
        TARVIK_PATH, {"--png", png, "-p", dir.file("none.txt"), "0", "1", "0", "3", "-1", "1"},
        dir.path());
    const auto failed = nothing.wait(60s);
    ASSERT_TRUE(failed.has_value());
    EXPECT_TRUE(WIFEXITED(*failed) && WEXITSTATUS(*failed) == 1);
    EXPECT_NE(nothing.read_stderr().find("none.txt not found"), std::string::npos);
}

std::vector<QString> g_passed_on;

TEST(QtMessages, OnlyTheRuntimeFolderNoticeIsDropped) {
    qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& m) { g_passed_on.push_back(m); });
    drop_runtime_folder_notice();
    qWarning("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-root'");
    qWarning("QStandardPaths: wrong permissions on runtime directory /run/user/0");
    qCritical("a real problem");
    qInstallMessageHandler(nullptr);
    EXPECT_EQ(g_passed_on, (std::vector<QString>{
                               "QStandardPaths: wrong permissions on runtime directory /run/user/0",
                               "a real problem"}));
}

// Run as root without a login session, the window opens without Qt's notice about the runtime
// folder on standard error.
TEST(LiveProgram, NoRuntimeFolderNoticeWithoutALoginSession) {
    testing::TempDir dir;
    const std::string data = dir.write("d.txt", "0 0\n1 1\n");
    unsetenv("XDG_RUNTIME_DIR");
    testing::ChildProcess tarvik(TARVIK_PATH, {"-p", data, "0", "1", "0", "1", "0", "1"},
                                 dir.path());
    const auto said = tarvik.read_line(30s);
    ASSERT_TRUE(said.has_value());
    EXPECT_EQ(said->rfind("Plot info: ", 0), 0u);
    std::this_thread::sleep_for(1500ms);  // the window opens and the first timer ticks
    tarvik.kill(SIGTERM);
    ASSERT_TRUE(tarvik.wait(30s).has_value());
    EXPECT_EQ(tarvik.read_stderr().find("XDG_RUNTIME_DIR"), std::string::npos);
}

}  // namespace
}  // namespace tarvik
