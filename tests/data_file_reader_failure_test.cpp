// The data file reader: files that cannot be read, the box and its answers, and the producer
// lock around reads.
#include "data_file_reader_fixture.h"

namespace {

using namespace reader_test;

void expect_same_container(const LineContainer& a, const LineContainer& b) {
    EXPECT_TRUE(has_points(a, points_of(b)));
    EXPECT_EQ(a.time, b.time);
    EXPECT_EQ(a.lines_taken, b.lines_taken);
    EXPECT_EQ(a.x_range(), b.x_range());
    EXPECT_EQ(a.y_range(), b.y_range());
}

LineContainer prefilled() {
    LineContainer c;
    c.add_point(1, 2, 1000);
    c.note_line_taken();
    c.note_line_taken();
    return c;
}

class OpenFailureTest : public ReaderTest {
  protected:
    void SetUp() override { expect_no_prompts_ = false; }

    void expect_one_box_for(const std::string& path) {
        ASSERT_EQ(prompts_.prompts().size(), 1u);
        const tarvik::testing::RecordedPrompt& p = prompts_.prompts().front();
        EXPECT_EQ(p.text, "IO error in opening file " + path);
        EXPECT_EQ(p.caption, "Tarvik");
        EXPECT_EQ(p.icon, prompt::Icon::None);
        EXPECT_EQ(p.buttons, prompt::Buttons::AbortRetryIgnore);
    }
};

TEST_F(OpenFailureTest, MissingFileAsksAndIgnoreLeavesContainerAlone) {
    const std::string path = dir_.file("missing.txt");
    LineContainer c = prefilled();
    prompts_.answer_next(prompt::Button::Ignore);
    read(c, path, 0, 1, true);
    expect_one_box_for(path);
    expect_same_container(c, prefilled());
}

TEST_F(OpenFailureTest, DirectoryCannotBeOpened) {
    LineContainer c = prefilled();
    read(c, dir_.path(), 0, 1);
    expect_one_box_for(dir_.path());
    expect_same_container(c, prefilled());
}

TEST_F(OpenFailureTest, UnreadableFileCannotBeOpened) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads any file";
    const std::string path = dir_.write("locked", "1 2\n");
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    LineContainer c = prefilled();
    read(c, path, 0, 1);
    expect_one_box_for(path);
    expect_same_container(c, prefilled());
}

// A prompter that runs an action while its box is "open".
class BoxAction : public PromptRecorder {
  public:
    explicit BoxAction(std::function<prompt::Button()> action) : action_(std::move(action)) {}
    prompt::Button show(const std::string& text, const std::string& caption, prompt::Icon icon,
                        prompt::Buttons buttons) override {
        PromptRecorder::show(text, caption, icon, buttons);
        return action_();
    }

  private:
    std::function<prompt::Button()> action_;
};

TEST_F(OpenFailureTest, LockIsReleasedWhileTheBoxIsShown) {
    std::uint32_t wait = tarvik::kWaitFailed;
    BoxAction box([&wait] {
        wait = try_producer_lock_elsewhere();
        return prompt::Button::Ignore;
    });
    LineContainer c;
    read(c, dir_.file("missing"), 0, 1);
    ASSERT_EQ(box.prompts().size(), 1u);
    EXPECT_EQ(wait, tarvik::kWaitObject0) << "a producer would be blocked by the open box";
    EXPECT_EQ(try_producer_lock_elsewhere(), tarvik::kWaitObject0);
}

TEST_F(OpenFailureTest, RetryOpensAgain) {
    const std::string path = dir_.file("late");
    BoxAction box([&] {
        dir_.write("late", "1 2\n3 4\n");
        return prompt::Button::Retry;
    });
    LineContainer c;
    read(c, path, 0, 1);
    EXPECT_EQ(box.prompts().size(), 1u);
    EXPECT_TRUE(has_points(c, {{1, 2}, {3, 4}}));
    EXPECT_EQ(c.lines_taken, 2);
}

TEST_F(OpenFailureTest, RetryThatFailsAgainAsksAgain) {
    prompts_.answer_next(prompt::Button::Retry);
    prompts_.answer_next(prompt::Button::Retry);
    prompts_.answer_next(prompt::Button::Ignore);
    LineContainer c = prefilled();
    read(c, dir_.file("never"), 0, 1);
    EXPECT_EQ(prompts_.prompts().size(), 3u);
    expect_same_container(c, prefilled());
}

TEST_F(OpenFailureTest, AbortEndsTheProcessWithStatusThree) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string path = dir_.file("missing");
    EXPECT_EXIT(
        {
            PromptRecorder abort_box;
            abort_box.answer_next(prompt::Button::Abort);
            LineContainer c;
            tarvik::read_data_file(spec_for(path, 0, 1), c);
        },
        ::testing::ExitedWithCode(3), "");
}

// The end goes through the termination hook, which the program (or a test) may replace.
TEST_F(OpenFailureTest, AbortGoesThroughTheTerminationHook) {
    struct Terminated {
        int status;
    };
    const tarvik::TerminationHandler previous =
        tarvik::set_termination_handler([](int status) { throw Terminated{status}; });
    prompts_.answer_next(prompt::Button::Abort);
    LineContainer c;
    try {
        read(c, dir_.file("missing"), 0, 1);
        ADD_FAILURE() << "the reader went on after Abort";
    } catch (const Terminated& t) {
        EXPECT_EQ(t.status, 3);
    }
    tarvik::set_termination_handler(previous);
    EXPECT_EQ(try_producer_lock_elsewhere(), tarvik::kWaitObject0);
}

TEST_F(ReaderTest, EmptyFileGivesNothingAndNoBox) {
    LineContainer c = prefilled();
    read(c, dir_.write("empty", ""), 0, 1, true);
    expect_same_container(c, prefilled());
}

TEST_F(ReaderTest, LockIsFreeAfterReads) {
    LineContainer c;
    read(c, dir_.write("a", "1 2\n"), 0, 1);
    EXPECT_EQ(try_producer_lock_elsewhere(), tarvik::kWaitObject0);
    const std::string big = dir_.write("b", "1 2\n");
    pad_with_comment(big, kLimit + 1);
    read(c, big, 0, 1);
    EXPECT_EQ(try_producer_lock_elsewhere(), tarvik::kWaitObject0);
    EXPECT_EQ(c.count, 2);
}

}  // namespace
