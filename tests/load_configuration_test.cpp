// Building a plot from configuration files (hand-made ones and saved ones): what the document
// and its view hold afterwards and what the user is told.
#include "load_configuration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "headless_view.h"
#include "prompt_recorder.h"
#include "tarvik_doc.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

using testing::HeadlessView;
using testing::PromptRecorder;
using testing::TempDir;

// Replaces the first occurrence of `from`.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

class LoadConfigurationTest : public ::testing::Test {
  protected:
    LoadConfigurationTest() {
        view_.document = &doc_;
        data_ = dir_.write("a.txt", "1 10\n2 20\n3 30\n");
        empty_ = dir_.write("empty.txt", "# nothing yet\n");
    }

    // One curve on a.txt, fixed ranges 0..5 and -1..1.
    ConfigurationValues base() const {
        ConfigurationValues v;
        v.auto_x_range = false;
        v.x_maximum = 5.0;
        v.auto_y_range = false;
        v.y_minimum = -1.0;
        v.curves.push_back({data_, 0, 1, "first", 255, 0, 0, 1, 2, 3, true, 1});
        return v;
    }
    bool load(const std::string& text) {
        return LoadConfiguration(doc_, dir_.write("plot.xml", text));
    }

    TempDir dir_;
    std::string data_;
    std::string empty_;
    PromptRecorder prompts_;
    HeadlessView view_;
    CTarvikDoc doc_{&view_};
};

TEST_F(LoadConfigurationTest, HandMadeFiles) {
    const std::string good = configuration_text(base());
    ConfigurationValues two = base();
    two.curves.push_back(two.curves.front());
    two.curves.back().file = dir_.file("gone.txt");
    ConfigurationValues many = base();
    many.curves.assign(22, many.curves.front());

    struct Row {
        const char* name;
        std::string text;
        bool loads;
        std::vector<std::string> messages;
        std::function<void(const CTarvikDoc&, const PlotViewState&)> check;
    };
    const auto nothing = [](const CTarvikDoc&, const PlotViewState&) {};
    const std::vector<Row> rows = {
        {"missing required tag",
         replaced(good, "  <font_name>lucida console</font_name>\n", ""),
         false,
         {"Invalid or missing tag: font_name"},
         nothing},
        {"missing data file",
         replaced(good, data_, dir_.file("gone.txt")),
         false,
         {"File " + dir_.file("gone.txt") + " not found"},
         nothing},
        {"second data file missing: the first curve goes again",
         configuration_text(two),
         false,
         {"File " + dir_.file("gone.txt") + " not found"},
         nothing},
        {"unknown number format",
         replaced(good, "<xformat>FIXED</xformat>", "<xformat>fixed</xformat>"),
         true,
         {"Invalid formatting style: fixed\nSetting format to FIXED"},
         [](const CTarvikDoc&, const PlotViewState& v) { EXPECT_EQ(v.m_XFormat, 0); }},
        {"empty data file with an automatic range",
         replaced(replaced(good, data_, empty_), "<auto_x_range>0", "<auto_x_range>1"),
         true,
         {kEmptyDataFileText},
         [](const CTarvikDoc&, const PlotViewState& v) {
             EXPECT_TRUE(v.m_AutoX);  // the file's ranges, the flag as saved
             EXPECT_EQ(v.m_XMin, 0.0);
             EXPECT_EQ(v.m_XMax, 5.0);
         }},
        {"fixed ranges stay fixed",
         good,
         true,
         {},
         [](const CTarvikDoc&, const PlotViewState& v) {
             EXPECT_FALSE(v.m_AutoX);
             EXPECT_FALSE(v.m_AutoY);
             EXPECT_EQ(v.m_YMin, -1.0);
             EXPECT_EQ(v.m_XMax, 5.0);
         }},
        {"automatic ranges come from the data",
         replaced(replaced(good, "<auto_x_range>0", "<auto_x_range>1"), "<auto_y_range>0",
                  "<auto_y_range>1"),
         true,
         {},
         [](const CTarvikDoc&, const PlotViewState& v) {
             EXPECT_TRUE(v.m_AutoX);
             EXPECT_DOUBLE_EQ(v.m_XMin, 0.8);
             EXPECT_DOUBLE_EQ(v.m_XMax, 3.2);
             EXPECT_DOUBLE_EQ(v.m_YMin, 8.0);
             EXPECT_DOUBLE_EQ(v.m_YMax, 32.0);
         }},
        {"colour components clamped",
         replaced(good, "255,0,0", "300,-5,7"),
         true,
         {},
         [](const CTarvikDoc&, const PlotViewState& v) {
             EXPECT_EQ(v.m_Curves.m_Colours[0][0], rgb(255, 0, 7));
         }},
        {"colour without two commas is black",
         replaced(good, "255,0,0", "255,0"),
         true,
         {},
         [](const CTarvikDoc&, const PlotViewState& v) {
             EXPECT_EQ(v.m_Curves.m_Colours[0][0], rgb(0, 0, 0));
         }},
        {"a value that does not convert keeps the view's",
         replaced(good, "<xticks>5</xticks>", "<xticks>many</xticks>"),
         true,
         {},
         [](const CTarvikDoc&, const PlotViewState& v) { EXPECT_EQ(v.m_XTicks, 7); }},
        {"time unit and curve properties",
         replaced(good, "<time_unit>MINUTES", "<time_unit>HOURS"),
         true,
         {},
         [](const CTarvikDoc& d, const PlotViewState& v) {
             EXPECT_EQ(d.time_unit(), 2);
             EXPECT_EQ(d.curve_title(0), "first");
             EXPECT_EQ(d.add_only(0), 1);
             EXPECT_EQ(v.m_Curves.m_Styles[0][0], 1);
             EXPECT_EQ(v.m_Curves.m_Widths[0][0], 2);
             EXPECT_EQ(v.m_Curves.m_PointSizes[0][0], 3);
         }},
        {"more than twenty entries",
         configuration_text(many),
         true,
         {"The configuration holds more than 20 files; only the first 20 are used."},
         [](const CTarvikDoc& d, const PlotViewState&) { EXPECT_EQ(d.curve_count(), 20); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PromptRecorder prompts;
        HeadlessView view;
        CTarvikDoc doc(&view);
        view.document = &doc;
        view.state().m_XTicks = 7;
        EXPECT_EQ(LoadConfiguration(doc, dir_.write("plot.xml", row.text)), row.loads);
        EXPECT_EQ(prompts.texts(), row.messages);
        if (!row.loads) {
            EXPECT_EQ(doc.curve_count(), 0);
            EXPECT_EQ(view.state().m_Curves.curve_count(), 0);
        } else {
            row.check(doc, view.state());
        }
    }
}

TEST_F(LoadConfigurationTest, UnreadableConfigurationIsAnErrorBoxNamingTheFile) {
    for (const std::string& path : {dir_.path(), dir_.file("absent.xml")}) {
        PromptRecorder prompts;
        EXPECT_FALSE(LoadConfiguration(doc_, path));
        ASSERT_EQ(prompts.prompts().size(), 1u);
        EXPECT_EQ(prompts.texts()[0], "File not open\n" + path);
        EXPECT_EQ(prompts.prompts()[0].icon, prompt::Icon::Error);
    }
}

// A plot saved beside its data, loaded from another folder: names relative to the current
// folder win, then the configuration's folder is tried.
TEST_F(LoadConfigurationTest, RelativeDataFileNamesAreAlsoLookedUpBesideTheConfiguration) {
    TempDir elsewhere;
    struct Within {  // the current folder for the test's span
        explicit Within(const std::string& folder) { std::filesystem::current_path(folder); }
        ~Within() { std::filesystem::current_path(was); }
        const std::filesystem::path was = std::filesystem::current_path();
    } within(elsewhere.path());
    dir_.write("run.csv", "1,2\n");
    std::filesystem::create_directory(dir_.file("day2"));
    dir_.write("day2/run.csv", "3,4\n5,6\n");
    elsewhere.write("here.csv", "7,8\n");
    dir_.write("here.csv", "9,9\n");
    struct Row {
        const char* file;
        std::string held;
        int points;
    };
    const Row rows[] = {
        {"run.csv", dir_.file("run.csv"), 1},
        {"day2/../day2/run.csv", dir_.file("day2/run.csv"), 2},
        {"here.csv", "here.csv", 1},  // the current folder's
        {"none.csv", "", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        PromptRecorder prompts;
        HeadlessView view;
        CTarvikDoc doc(&view);
        view.document = &doc;
        ConfigurationValues v = base();
        v.curves.front().file = row.file;
        const bool loaded = LoadConfiguration(doc, dir_.write("plot.xml", configuration_text(v)));
        if (row.held.empty()) {
            EXPECT_FALSE(loaded);
            EXPECT_EQ(prompts.texts(), std::vector<std::string>{"File none.csv not found"});
            continue;
        }
        ASSERT_TRUE(loaded);
        EXPECT_EQ(doc.file_name(0), row.held);
        EXPECT_EQ(doc.history(0).front().count, row.points);
        // Saving again writes the name the plot holds.
        EXPECT_EQ(configuration_values(doc, view.state(), false).curves.front().file, row.held);
    }
}

// Everything a saved plot holds comes back in a new document and view.
TEST_F(LoadConfigurationTest, SavedPlotLoadsBackEqual) {
    const std::string b = dir_.write("b & c.txt", "0 1 2\n5 6 7\n");
    ASSERT_TRUE(doc_.append_curve(data_, 0, 1, "x<5 \"q\"", true, {rgb(255, 0, 0), DOT, 3, 4}));
    ASSERT_TRUE(
        doc_.append_curve(b, 1, 2, "\tbl\u00e4nk ", false, {rgb(1, 2, 3), DASHDOTDOT, 0, 5}));
    doc_.set_time_unit(HOURS);
    doc_.SetTimerInterval(250);
    PlotViewState& s = view_.state();
    s.m_AutoX = false;
    s.m_XMin = -2.5;
    s.m_XMax = 1.5e7;
    s.m_AutoY = true;
    s.m_YMin = 0.125;
    s.m_YMax = 0.75;
    s.m_XTicks = 3;
    s.m_YTicks = 9;
    s.m_Grid = false;
    s.m_Legend = false;
    s.m_MaxTries = 12;
    s.m_XPrecision = 4;
    s.m_YPrecision = 6;
    s.m_XFormat = SCIENTIFIC;
    s.m_AutoXScroll = true;
    s.m_Title = "T & <t>";
    s.m_XLabel = "x=\"1\"";
    s.m_YLabel = "y";
    s.m_FontName = "DejaVu Sans Mono";
    s.m_FontSize = 90;
    const std::string path = dir_.file("saved.xml");
    ASSERT_TRUE(SaveConfiguration(doc_, s, true, path));

    HeadlessView view2;
    CTarvikDoc doc2(&view2);
    ASSERT_TRUE(LoadConfiguration(doc2, path));
    EXPECT_TRUE(prompts_.texts().empty());
    const PlotViewState& l = view2.state();
    // The loaded plot saves exactly as the first one (the timer interval goes to the start
    // interval; the automatic y range is worked out again from the data).
    ConfigurationValues expected = configuration_values(doc_, s, true);
    ConfigurationValues got = configuration_values(doc2, l, true);
    EXPECT_EQ(doc2.start_timer_interval(), 250);
    got.timer_interval = doc2.start_timer_interval();
    expected.y_minimum = got.y_minimum;
    expected.y_maximum = got.y_maximum;
    EXPECT_EQ(configuration_text(got), configuration_text(expected));
    EXPECT_TRUE(l.m_StartMaximised);
    EXPECT_EQ(doc2.time_unit(), 2);
}

// A frozen plot saves the interval it runs at when unfrozen, so it updates once loaded.
TEST_F(LoadConfigurationTest, FrozenPlotSavesItsRunningInterval) {
    doc_.SetTimerInterval(0);
    view_.state().m_Frozen = true;
    view_.state().m_SavedInterval = 2500;
    EXPECT_EQ(configuration_values(doc_, view_.state(), false).timer_interval, 2500);
}

TEST_F(LoadConfigurationTest, FailedSaveNamesTheFileAndTheReason) {
    ASSERT_TRUE(doc_.append_curve(data_, 0, 1, "", false));
    const std::string path = data_ + "/plot.xml";  // a folder that is a file
    EXPECT_FALSE(SaveConfiguration(doc_, view_.state(), false, path));
    ASSERT_EQ(prompts_.prompts().size(), 1u);
    EXPECT_EQ(prompts_.prompts()[0].icon, prompt::Icon::Error);
    EXPECT_EQ(
        prompts_.texts()[0].rfind("The configuration could not be saved to " + path + ":\n", 0),
        0u);
    EXPECT_GT(prompts_.texts()[0].size(), path.size() + 45);
}

}  // namespace
}  // namespace tarvik
