// The new-plot and periodic-saving dialogs' rules without widgets, and the document's loop
// around the new-plot dialog.
#include <gtest/gtest.h>

#include "new_plot_form.h"
#include "new_plot_run.h"
#include "periodic_save_form.h"
#include "prompt_recorder.h"

namespace tarvik {
namespace {

using F = NewPlotForm;

// Controls the file name's presence switches (the four limits are not among them).
const F::Control kNeedAFileName[] = {
    F::XColumn,    F::YColumn,       F::RealTimeXAxis, F::AutoXRange, F::AutoYRange, F::XPrecision,
    F::YPrecision, F::OpenMaximised, F::DataTips,      F::AddOnly,    F::AutoXScroll};

NewPlotSource plot_with(bool auto_x, bool auto_y) {
    NewPlotSource plot;
    plot.auto_x_range = auto_x;
    plot.auto_y_range = auto_y;
    plot.x_min = -5.0;
    plot.x_precision = 3;
    plot.data_tips = true;
    plot.auto_x_scroll = true;
    plot.last_file = "/tmp/last.txt";
    return plot;
}

TEST(NewPlotForm, FillsANewPlotAndAnAddedFile) {
    const NewPlotValues fresh = filled_new_plot_values(plot_with(false, false), true);
    const F new_plot(fresh);
    EXPECT_EQ(new_plot.caption(), "New Plot Information");
    EXPECT_EQ(new_plot.text(F::DataFile), "data.txt");
    EXPECT_EQ(new_plot.text(F::XColumn), "0");
    EXPECT_EQ(new_plot.text(F::XMin), "-5");
    EXPECT_EQ(new_plot.text(F::XPrecision), "3");
    EXPECT_TRUE(new_plot.checked(F::DataTips));
    EXPECT_FALSE(new_plot.checked(F::AutoXScroll));  // a new plot starts without it
    EXPECT_TRUE(new_plot.checked(F::DataFileRadio));
    EXPECT_FALSE(new_plot.enabled(F::SelectConfiguration));
    EXPECT_TRUE(new_plot.enabled(F::AddOnly));

    const F added(filled_new_plot_values(plot_with(false, false), false));
    EXPECT_EQ(added.caption(), "New file information:");
    EXPECT_EQ(added.text(F::DataFile), "/tmp/last.txt");
    EXPECT_TRUE(added.checked(F::AutoXScroll));
    for (const F::Control c : {F::SelectConfiguration, F::ConfigurationFileRadio, F::OpenMaximised,
                               F::DataTips, F::AutoXRange, F::AutoYRange, F::XMin, F::XMax, F::YMin,
                               F::YMax, F::AutoXScroll, F::XPrecision, F::YPrecision})
        EXPECT_FALSE(added.enabled(c)) << c;
    for (const F::Control c : {F::XColumn, F::YColumn, F::RealTimeXAxis, F::AddOnly, F::PointsOnly,
                               F::DataFile, F::Browse, F::CurveTitle})
        EXPECT_TRUE(added.enabled(c)) << c;
}

TEST(NewPlotForm, AutomaticRangesOpenCheckedWithTheirLimitsDisabled) {
    struct Row {
        bool auto_x, auto_y;
    };
    for (const Row row : {Row{true, false}, Row{false, true}, Row{true, true}, Row{false, false}}) {
        const F form(filled_new_plot_values(plot_with(row.auto_x, row.auto_y), true));
        EXPECT_EQ(form.checked(F::AutoXRange), row.auto_x);
        EXPECT_EQ(form.checked(F::AutoYRange), row.auto_y);
        EXPECT_EQ(form.enabled(F::XMin), !row.auto_x);
        EXPECT_EQ(form.enabled(F::XMax), !row.auto_x);
        EXPECT_EQ(form.enabled(F::AutoXScroll), !row.auto_x);
        EXPECT_EQ(form.enabled(F::YMin), !row.auto_y);
        EXPECT_EQ(form.enabled(F::YMax), !row.auto_y);
    }
}

TEST(NewPlotForm, AnEmptyFileNameDisablesTheColumnPrecisionAndRangeControls) {
    F form(filled_new_plot_values(plot_with(false, false), true));
    form.set_text(F::DataFile, "");
    for (const F::Control c : kNeedAFileName)
        EXPECT_FALSE(form.enabled(c)) << c;
    for (const F::Control c : {F::XMin, F::XMax, F::YMin, F::YMax, F::PointsOnly})
        EXPECT_TRUE(form.enabled(c)) << c;
    form.set_text(F::DataFile, "d");
    for (const F::Control c : kNeedAFileName)
        EXPECT_TRUE(form.enabled(c)) << c;

    // Add mode keeps its controls disabled whatever the file box holds.
    F added(filled_new_plot_values(plot_with(false, false), false));
    added.set_text(F::DataFile, "");
    added.set_text(F::DataFile, "x");
    EXPECT_FALSE(added.enabled(F::XPrecision));
    EXPECT_TRUE(added.enabled(F::XColumn));
}

TEST(NewPlotForm, RealTimeAxisForcesColumnsAndAddOnly) {
    F form(filled_new_plot_values(plot_with(false, false), true));
    form.set_text(F::XColumn, "4");
    form.set_real_time_x_axis(true);
    EXPECT_EQ(form.text(F::XColumn), "-1");
    EXPECT_EQ(form.text(F::YColumn), "0");
    EXPECT_TRUE(form.checked(F::AddOnly));
    EXPECT_FALSE(form.enabled(F::XColumn));
    EXPECT_FALSE(form.enabled(F::AddOnly));
    // Neither typing nor browsing for a file unlocks the x column.
    form.set_text(F::DataFile, "other.txt");
    form.browsed("/data/run.gp");
    EXPECT_FALSE(form.enabled(F::XColumn));
    EXPECT_EQ(form.text(F::DataFile), "/data/run.gp");

    form.set_real_time_x_axis(false);
    EXPECT_EQ(form.text(F::XColumn), "0");
    EXPECT_EQ(form.text(F::YColumn), "1");
    EXPECT_FALSE(form.checked(F::AddOnly));
    EXPECT_TRUE(form.enabled(F::XColumn));
    EXPECT_TRUE(form.enabled(F::AddOnly));
}

TEST(NewPlotForm, RangeAndSourceClicks) {
    F form(filled_new_plot_values(plot_with(false, false), true));
    form.set_auto_x_range(true);
    EXPECT_TRUE(form.values().auto_x_range);
    EXPECT_FALSE(form.enabled(F::XMax));
    EXPECT_FALSE(form.enabled(F::AutoXScroll));
    EXPECT_TRUE(form.enabled(F::YMax));
    form.set_auto_y_range(true);
    EXPECT_FALSE(form.enabled(F::YMin));
    form.set_auto_x_range(false);
    EXPECT_FALSE(form.values().auto_x_range);
    EXPECT_TRUE(form.enabled(F::XMin));
    EXPECT_TRUE(form.enabled(F::AutoXScroll));

    form.click_use_configuration_file();
    EXPECT_TRUE(form.enabled(F::SelectConfiguration));
    EXPECT_FALSE(form.enabled(F::DataFile));
    EXPECT_FALSE(form.enabled(F::Browse));
    form.click_data_file();
    EXPECT_FALSE(form.enabled(F::SelectConfiguration));
    EXPECT_TRUE(form.enabled(F::Browse));
}

TEST(NewPlotForm, OkYieldsTheBoxesAndChecks) {
    F form(filled_new_plot_values(plot_with(true, false), true));
    form.set_text(F::DataFile, "run.txt");
    form.set_text(F::CurveTitle, "sine");
    form.set_checked(F::PointsOnly, true);
    form.set_checked(F::OpenMaximised, true);
    form.set_real_time_x_axis(true);
    const NewPlotValues v = form.accepted({-1, 0, 1.5, 2.5, 3.5, 4.5, 4, 6});
    EXPECT_EQ(v.data_file, "run.txt");
    EXPECT_EQ(v.curve_title, "sine");
    EXPECT_EQ(v.x_column, -1);
    EXPECT_EQ(v.x_precision, 4);
    EXPECT_TRUE(v.points_only);
    EXPECT_TRUE(v.open_maximised);
    EXPECT_TRUE(v.add_only);
    EXPECT_TRUE(v.auto_x_range);
    EXPECT_FALSE(v.auto_y_range);

    // Shown again, the dialog looks as it was left.
    const F again(v);
    EXPECT_TRUE(again.checked(F::RealTimeXAxis));
    EXPECT_FALSE(again.enabled(F::XColumn));
    EXPECT_EQ(again.text(F::XMin), "1.5");
}

TEST(NewPlotLoop, FullPlotRefusedWithoutDialog) {
    for (const int curves : {19, 20}) {
        testing::PromptRecorder prompts;
        int shown = 0;
        const NewPlotRun run = run_new_plot_loop(
            curves, NewPlotValues{},
            [&](const NewPlotValues& v) {
                ++shown;
                return NewPlotRun{NewPlotOutcome::Cancelled, v};
            },
            [](const std::string&) { return true; });
        EXPECT_EQ(run.outcome, NewPlotOutcome::Cancelled);
        EXPECT_EQ(shown, curves == 20 ? 0 : 1);
        if (curves == 20) {
            ASSERT_EQ(prompts.prompts().size(), 1u);
            EXPECT_EQ(prompts.prompts()[0].text, "Too many files");
            EXPECT_EQ(prompts.prompts()[0].icon, prompt::Icon::Information);
        }
    }
}

TEST(NewPlotLoop, MissingFileShowsTheDialogAgainAsTyped) {
    testing::PromptRecorder prompts;
    std::vector<NewPlotValues> shown;
    const NewPlotRun run = run_new_plot_loop(
        1, filled_new_plot_values(NewPlotSource{}, true),
        [&](const NewPlotValues& v) {
            shown.push_back(v);
            NewPlotValues typed = v;
            typed.data_file = shown.size() == 1 ? "missing.txt" : "there.txt";
            typed.x_min = 7.25;
            typed.curve_title = "typed";
            return NewPlotRun{NewPlotOutcome::Ok, typed};
        },
        [](const std::string& path) { return path == "there.txt"; });
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].data_file, "missing.txt");
    EXPECT_EQ(shown[1].x_min, 7.25);
    EXPECT_EQ(shown[1].curve_title, "typed");
    EXPECT_EQ(run.outcome, NewPlotOutcome::Ok);
    EXPECT_EQ(run.values.data_file, "there.txt");
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "File missing.txt not found");
    EXPECT_EQ(prompts.prompts()[0].icon, prompt::Icon::Warning);
}

TEST(NewPlotLoop, ConfigurationChoiceSkipsTheFileCheck) {
    testing::PromptRecorder prompts;
    const NewPlotRun run = run_new_plot_loop(
        0, NewPlotValues{},
        [](const NewPlotValues& v) {
            NewPlotValues chosen = v;
            chosen.data_file = "/nowhere/plot.xml";
            return NewPlotRun{NewPlotOutcome::ConfigurationFile, chosen};
        },
        [](const std::string&) { return false; });
    EXPECT_EQ(run.outcome, NewPlotOutcome::ConfigurationFile);
    EXPECT_EQ(run.values.data_file, "/nowhere/plot.xml");
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST(PeriodicSaveForm, FormatRenamesTheStoredExtension) {
    struct Row {
        const char* name;
        std::int32_t type;
        const char* renamed;
    };
    const Row rows[] = {
        {"plot.bmp", kSavePng, "plot.png"},
        {"plot.png", kSaveBmp, "plot.bmp"},
        {"plot", kSavePng, "plot"},
        {"plot.jpeg", kSaveBmp, "plot.bmp"},
        {"plot.", kSavePng, "plot.png"},
        {"tarvik.0.png", kSaveBmp, "tarvik.0.bmp"},
        {"./out/plot", kSaveBmp, "./out/plot"},
        {"run.d/plot.bmp", kSavePng, "run.d/plot.png"},
        {"/tmp/.plot", kSavePng, "/tmp/.plot"},
        {"", kSavePng, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(with_image_extension(row.name, row.type), row.renamed) << row.name;
}

TEST(PeriodicSaveForm, FormatClickTakesTheBoxesBeforeRenaming) {
    PeriodicSaveForm form({5, kSaveBmp, "plot.bmp"});
    EXPECT_FALSE(form.click_format(kSaveBmp, "typed.bmp", 9));  // already checked
    EXPECT_EQ(form.stored(), (PeriodicSaveValues{5, kSaveBmp, "plot.bmp"}));
    EXPECT_TRUE(form.click_format(kSavePng, "typed.bmp", 9));
    EXPECT_EQ(form.checked_type(), kSavePng);
    EXPECT_EQ(form.stored(), (PeriodicSaveValues{9, kSaveBmp, "typed.png"}));  // type on OK
    for (const std::optional<std::int32_t> bad : {std::optional<std::int32_t>{}, {61}, {-1}}) {
        form.click_format(form.checked_type() == kSavePng ? kSaveBmp : kSavePng, "b.png", bad);
        EXPECT_EQ(form.stored().interval_minutes, 9);
    }
}

TEST(PeriodicSaveForm, ViewRunConvertsMinutesAndSwitchesSaving) {
    const PeriodicSaveSettings current{false, 150, kSavePng, "tarvik.0.png"};
    PeriodicSaveValues shown;
    struct Row {
        std::optional<PeriodicSaveValues> answer;
        PeriodicSaveSettings expected;
    };
    const Row rows[] = {
        {PeriodicSaveValues{5, kSaveBmp, "a.bmp"}, {true, 300, kSaveBmp, "a.bmp"}},
        {PeriodicSaveValues{0, kSavePng, "a.png"}, {false, 0, kSavePng, "a.png"}},
        {std::nullopt, current},
    };
    for (const Row& row : rows) {
        const auto next = run_periodic_save_settings(current, [&](const PeriodicSaveValues& v) {
            shown = v;
            return row.answer;
        });
        EXPECT_EQ(next, row.expected);
        EXPECT_EQ(shown, (PeriodicSaveValues{2, kSavePng, "tarvik.0.png"}));  // 150 s: 2 min
    }
}

}  // namespace
}  // namespace tarvik
