// The view's commands and private messages on the plain state: what each record changes, and
// when periodic saving is due.
#include "view_commands.h"

#include <gtest/gtest.h>

#include "enumerations.h"
#include "prompt_recorder.h"
#include "tarvik_doc.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

class ViewCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string file = dir_.write("d.txt", "1 10\n2 30\n");
        ASSERT_TRUE(doc_.append_curve(file, 0, 1, "", false));
        state_.m_Curves.append_curve(rgb(255, 0, 0), SOLID, 1, 1);
        state_.m_Curves.resize_generations(0, 3);
    }

    testing::TempDir dir_;
    testing::PromptRecorder prompts_;
    CTarvikDoc doc_;
    PlotViewState state_;
};

TEST_F(ViewCommandsTest, LinePropertyRecordsSetEveryGeneration) {
    LinePropertyChange colour;
    colour.kind = LinePropertyChange::Colour;
    colour.red = 0x100;  // only the low 8 bits count
    colour.green = 255;
    ASSERT_TRUE(apply_line_property(state_, colour));
    EXPECT_EQ(state_.m_Curves.m_Colours[0][0], rgb(0, 255, 0));
    EXPECT_EQ(state_.m_Curves.m_Colours[0][1], rgb(153, 255, 153));

    LinePropertyChange width;
    width.kind = LinePropertyChange::Width;
    width.width = 0x10003;  // low 16 bits
    ASSERT_TRUE(apply_line_property(state_, width));
    EXPECT_EQ(state_.m_Curves.m_Widths[0], (std::vector<std::int16_t>{3, 3, 3}));

    LinePropertyChange unknown_curve;
    unknown_curve.curve = 1;
    EXPECT_FALSE(apply_line_property(state_, unknown_curve));
}

TEST_F(ViewCommandsTest, WindowPropertyPages) {
    WindowPropertyChange x;
    x.page = WindowPropertyChange::XRange;
    x.x_minimum = -4;
    x.x_maximum = 4;
    apply_window_property(state_, doc_, x);
    EXPECT_EQ(state_.m_XMin, -4);
    EXPECT_EQ(state_.m_XMax, 4);
    EXPECT_FALSE(state_.m_AutoX);

    WindowPropertyChange y;
    y.page = WindowPropertyChange::YRange;
    y.y_automatic = true;
    apply_window_property(state_, doc_, y);
    EXPECT_DOUBLE_EQ(state_.m_YMin, 8);  // 10…30 with a tenth of the span either side
    EXPECT_DOUBLE_EQ(state_.m_YMax, 32);
    EXPECT_TRUE(state_.m_AutoY);

    WindowPropertyChange ticks;
    ticks.page = WindowPropertyChange::Ticks;
    ticks.x_extra_ticks = 0;
    ticks.y_extra_ticks = 5;
    apply_window_property(state_, doc_, ticks);
    EXPECT_EQ(state_.m_XTicks, 2);  // the axis ends only
    EXPECT_EQ(state_.m_YTicks, 7);

    // A record from elsewhere may carry any int32: the count stops at the end of the range.
    ticks.x_extra_ticks = 2147483647;
    ticks.y_extra_ticks = -2147483647 - 1;
    apply_window_property(state_, doc_, ticks);
    EXPECT_EQ(state_.m_XTicks, 2147483647);
    EXPECT_EQ(state_.m_YTicks, -2147483647 + 1);
}

TEST_F(ViewCommandsTest, InvertYTwiceRestoresTheRange) {
    state_.m_YMin = -1;
    state_.m_YMax = 3;
    invert_y(state_);
    EXPECT_EQ(state_.m_YMin, 3);
    EXPECT_EQ(state_.m_YMax, -1);
    invert_y(state_);
    EXPECT_EQ(state_.m_YMin, -1);
}

TEST(PeriodicSaving, DueOnlyStrictlyAfterTheInterval) {
    PlotViewState state;
    state.m_SaveInterval = 30;
    start_periodic_saving(state);
    EXPECT_EQ(state.m_SaveInterval, 60);  // raised to the least interval
    state.m_LastSaveTime = 1000;
    EXPECT_FALSE(periodic_save_due(state, 1060));
    EXPECT_TRUE(periodic_save_due(state, 1061));
    state.m_SaveActive = false;
    EXPECT_FALSE(periodic_save_due(state, 5000));
}

}  // namespace
}  // namespace tarvik
