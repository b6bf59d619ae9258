// Adding, choosing and removing curves and setting their history, with the dialogs scripted.
#include "curve_management.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "configuration_writer.h"
#include "headless_view.h"
#include "prompt_recorder.h"
#include "tarvik_doc.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

using testing::HeadlessView;
using testing::PromptRecorder;
using testing::TempDir;

// Dialog answers given in advance; what the dialogs were shown is kept.
struct ScriptedDialogs {
    NewPlotRun run{NewPlotOutcome::Cancelled, {}};
    std::optional<int> unit;
    Colour colour = rgb(0, 0, 0);
    int style = 0;
    int selected = -1;
    std::optional<int> number;

    std::vector<NewPlotValues> shown;
    int unit_asked = 0;
    std::vector<std::string> number_asked;

    CurveDialogs hooks() {
        CurveDialogs d;
        d.new_plot = [this](int, const NewPlotValues& v) {
            shown.push_back(v);
            return run;
        };
        d.time_unit = [this] {
            ++unit_asked;
            return unit;
        };
        d.colour = [this] { return colour; };
        d.line_style = [this] { return style; };
        d.select_curve = [this](const CTarvikDoc&) { return selected; };
        d.number = [this](const std::string& caption, int maximum, int value) {
            number_asked.push_back(caption + " " + std::to_string(maximum) + " " +
                                   std::to_string(value));
            return number;
        };
        return d;
    }
};

class CurveManagementTest : public ::testing::Test {
  protected:
    CurveManagementTest() { view_.document = &doc_; }

    // The dialog closed with OK on `file`.
    NewPlotValues ok_values(const std::string& file) {
        NewPlotValues v;
        v.data_file = file;
        v.x_min = -1;
        v.x_max = 9;
        v.y_min = -3;
        v.y_max = 4;
        v.x_precision = 3;
        v.y_precision = 5;
        script_.run = {NewPlotOutcome::Ok, v};
        return v;
    }
    void add_curves(int n, const std::string& file) {
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(doc_.append_curve(file, 0, 1, "", false, {rgb(i, 0, 0)}));
    }

    TempDir dir_;
    std::string data_ = dir_.write("a.txt", "1 10\n2 20\n3 30\n");
    PromptRecorder prompts_;
    HeadlessView view_;
    CTarvikDoc doc_{&view_};
    ScriptedDialogs script_;
};

TEST_F(CurveManagementTest, TwentyCurvesRefuseAnotherWithoutADialog) {
    add_curves(19, data_);
    EXPECT_FALSE(AddFile(doc_, false, script_.hooks()));  // 19: the dialog opens, is cancelled
    EXPECT_EQ(script_.shown.size(), 1u);
    EXPECT_TRUE(prompts_.texts().empty());
    add_curves(1, data_);
    EXPECT_FALSE(AddFile(doc_, false, script_.hooks()));
    EXPECT_EQ(script_.shown.size(), 1u);
    EXPECT_EQ(prompts_.texts(), std::vector<std::string>{"Too many files"});
}

TEST_F(CurveManagementTest, NewPlotTakesTheDialogsAnswers) {
    NewPlotValues v = ok_values(data_);
    v.points_only = true;
    v.auto_x_range = true;
    v.open_maximised = true;
    v.data_tips = false;
    v.auto_x_scroll = true;
    v.add_only = true;
    v.curve_title = "sine";
    script_.run.values = v;
    script_.colour = rgb(0, 128, 255);
    script_.style = 3;
    ASSERT_TRUE(AddFile(doc_, true, script_.hooks()));

    EXPECT_EQ(script_.shown.at(0).data_file, "data.txt");
    EXPECT_TRUE(script_.shown.at(0).new_plot);
    EXPECT_EQ(script_.unit_asked, 0);
    const PlotViewState& s = view_.state();
    EXPECT_EQ(s.m_Curves.m_Colours[0][0], rgb(0, 128, 255));
    EXPECT_EQ(s.m_Curves.m_Styles[0][0], 3);
    EXPECT_EQ(s.m_Curves.m_Widths[0][0], 0);  // points only
    EXPECT_EQ(s.m_Curves.m_PointSizes[0][0], 1);
    EXPECT_EQ(doc_.curve_title(0), "sine");
    EXPECT_EQ(doc_.add_only(0), 1);
    EXPECT_TRUE(s.m_AutoX);
    EXPECT_DOUBLE_EQ(s.m_XMin, 0.8);
    EXPECT_DOUBLE_EQ(s.m_XMax, 3.2);
    EXPECT_FALSE(s.m_AutoY);
    EXPECT_EQ(s.m_XPrecision, 3);
    EXPECT_TRUE(s.m_StartMaximised);
    EXPECT_TRUE(s.m_AutoXScroll);
    EXPECT_NE(doc_.window_title().find("  " + data_ + " 0-1"), std::string::npos);
}

TEST_F(CurveManagementTest, EmptyFileWithAutomaticRangesUsesTheDialogsRanges) {
    NewPlotValues v = ok_values(dir_.write("empty.txt", "# none\n"));
    v.auto_x_range = true;
    v.auto_y_range = true;
    script_.run.values = v;
    ASSERT_TRUE(AddFile(doc_, true, script_.hooks()));
    EXPECT_EQ(prompts_.texts(),
              std::vector<std::string>{"File " + v.data_file +
                                       " columns 0-1  does not contain valid "
                                       "data.\nSetting limits to default values."});
    const PlotViewState& s = view_.state();
    EXPECT_FALSE(s.m_AutoX);
    EXPECT_FALSE(s.m_AutoY);
    EXPECT_EQ(s.m_YMax, 4);
}

TEST_F(CurveManagementTest, ElapsedTimeAsksForTheUnit) {
    NewPlotValues v = ok_values(data_);
    v.x_column = -1;
    script_.run.values = v;
    script_.unit = 2;
    ASSERT_TRUE(AddFile(doc_, true, script_.hooks()));
    EXPECT_EQ(doc_.time_unit(), 2);
}

TEST_F(CurveManagementTest, ConfigurationChosenInTheDialogBuildsThePlot) {
    ConfigurationValues c;
    c.curves.push_back({data_, 0, 1, "", 0, 0, 255, 0, 1, 1, false, 1});
    c.curves.push_back(c.curves.front());
    std::string error;
    const std::string config = dir_.file("c.xml");
    ASSERT_TRUE(save_configuration(config, c, error)) << error;
    NewPlotValues v;
    v.data_file = config;
    script_.run = {NewPlotOutcome::ConfigurationFile, v};
    EXPECT_TRUE(AddFile(doc_, true, script_.hooks()));
    EXPECT_EQ(doc_.curve_count(), 2);
    EXPECT_EQ(view_.state().m_Curves.m_Colours[1][0], rgb(0, 0, 255));
}

TEST_F(CurveManagementTest, RemovingTheFirstOfThreeKeepsTheOthersColours) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(doc_.append_curve(dir_.write(std::to_string(i) + ".txt", "1 2\n"), 0, 1, "",
                                      false, {rgb(0, 0, 100 + i)}));
    }
    script_.selected = 0;
    EXPECT_TRUE(RemoveFile(doc_, script_.hooks()));
    ASSERT_EQ(doc_.curve_count(), 2);
    EXPECT_EQ(view_.state().m_Curves.m_Colours[0][0], rgb(0, 0, 101));
    EXPECT_EQ(view_.state().m_Curves.m_Colours[1][0], rgb(0, 0, 102));
    const std::string& title = doc_.window_title();
    EXPECT_EQ(title.find(dir_.file("0.txt")), std::string::npos);
    EXPECT_NE(title.find("  " + dir_.file("1.txt") + " 0-1 " + dir_.file("2.txt") + " 0-1"),
              std::string::npos);
}

TEST_F(CurveManagementTest, RemoveKeepsTheLastCurveAndRebuildsTheTitleOnCancel) {
    EXPECT_FALSE(RemoveFile(doc_, script_.hooks()));  // no curves: nothing at all
    EXPECT_TRUE(prompts_.texts().empty());
    add_curves(1, data_);
    EXPECT_FALSE(RemoveFile(doc_, script_.hooks()));
    EXPECT_EQ(prompts_.texts(),
              std::vector<std::string>{"Window must contain at least one file. "});
    EXPECT_EQ(prompts_.prompts()[0].icon, prompt::Icon::Error);
    EXPECT_EQ(doc_.curve_count(), 1);

    add_curves(1, data_);
    doc_.BuildWindowTitle();
    doc_.StampWindowTitle(std::time_t{12 * 3600 + 34 * 60 + 56});
    const std::string stamped = doc_.window_title();
    script_.selected = -1;
    EXPECT_FALSE(RemoveFile(doc_, script_.hooks()));
    EXPECT_EQ(doc_.curve_count(), 2);
    EXPECT_NE(doc_.window_title(), stamped);
}

TEST_F(CurveManagementTest, HistoryGrowsWithEmptyGenerationsAndShrinksFromTheBack) {
    add_curves(2, data_);
    script_.selected = 1;
    script_.number = 3;
    EXPECT_TRUE(SetHistorySize(doc_, script_.hooks()));
    ASSERT_EQ(doc_.history(1).size(), 4u);
    EXPECT_EQ(doc_.history(1)[0].count, 3);
    EXPECT_EQ(doc_.history(1)[3].count, 0);
    EXPECT_EQ(view_.state().m_Curves.generation_count(1), 4);
    EXPECT_EQ(doc_.history(0).size(), 1u);
    script_.number = 0;
    EXPECT_TRUE(SetHistorySize(doc_, script_.hooks()));
    EXPECT_EQ(doc_.history(1).size(), 1u);
    EXPECT_EQ(doc_.history(1)[0].count, 3);
    EXPECT_EQ(view_.state().m_Curves.generation_count(1), 1);
    EXPECT_EQ(script_.number_asked,
              (std::vector<std::string>{"Select history size: 10 0", "Select history size: 10 3"}));
    script_.number = std::nullopt;  // cancelled
    EXPECT_FALSE(SetHistorySize(doc_, script_.hooks()));
    script_.selected = -1;
    EXPECT_FALSE(SetHistorySize(doc_, script_.hooks()));
    EXPECT_EQ(script_.number_asked.size(), 3u);
}

}  // namespace
}  // namespace tarvik
