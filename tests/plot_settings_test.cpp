// The settings a plot starts from: enumeration texts, the process-wide defaults and limits,
// the per-curve drawing tables with their faded history colours, and a new view's state.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "curve_styles.h"
#include "enumerations.h"
#include "plot_defaults.h"
#include "plot_view_state.h"
#include "prompt_recorder.h"

namespace tarvik {
namespace {

using testing::PromptRecorder;

TEST(EnumerationTest, TextsOfTheValues) {
    const std::vector<std::string> styles = {"SOLID",   "DASH",       "DOT",
                                             "DASHDOT", "DASHDOTDOT", "NULL"};
    for (int s = 0; s < 6; ++s) {
        EXPECT_EQ(line_style_text(s), styles[static_cast<std::size_t>(s)]);
        EXPECT_EQ(line_style_from_text(styles[static_cast<std::size_t>(s)]), s);
    }
    EXPECT_EQ(time_unit_text(HOURS), "HOURS");
    EXPECT_EQ(number_format_text(SCIENTIFIC), "SCIENTIFIC");
    EXPECT_EQ(line_style_text(6), "");
    EXPECT_EQ(time_unit_text(-1), "");
}

TEST(EnumerationTest, TextToValueIsExactAndCaseSensitive) {
    PromptRecorder prompts;
    const struct {
        const char* text;
        TimeUnit unit;
    } units[] = {{"SECONDS", SECONDS}, {"MINUTES", MINUTES}, {"HOURS", HOURS},
                 {"minutes", SECONDS}, {"Hours", SECONDS},   {"MINUTES ", SECONDS},
                 {"", SECONDS},        {"DAYS", SECONDS}};
    for (const auto& u : units)
        EXPECT_EQ(time_unit_from_text(u.text), u.unit) << u.text;

    const struct {
        const char* text;
        LineStyle style;
    } styles[] = {{"Dash", SOLID},
                  {"dot", SOLID},
                  {"NULL", NULL_STYLE},
                  {"", SOLID},
                  {"DASHDOTDOT", DASHDOTDOT},
                  {"DASH DOT", SOLID}};
    for (const auto& s : styles)
        EXPECT_EQ(line_style_from_text(s.text), s.style) << s.text;

    EXPECT_EQ(number_format_from_text("FIXED"), FIXED);
    EXPECT_EQ(number_format_from_text("SCIENTIFIC"), SCIENTIFIC);
    EXPECT_TRUE(prompts.prompts().empty());  // unknown units and styles pass silently

    EXPECT_EQ(number_format_from_text("scientific"), FIXED);
    EXPECT_EQ(number_format_from_text(""), FIXED);
    ASSERT_EQ(prompts.prompts().size(), 2u);
    EXPECT_EQ(prompts.prompts()[0].text,
              "Invalid formatting style: scientific\nSetting format to FIXED");
    EXPECT_EQ(prompts.prompts()[0].icon, prompt::Icon::Information);
    EXPECT_EQ(prompts.prompts()[0].buttons, prompt::Buttons::Ok);
    EXPECT_EQ(prompts.prompts()[1].text, "Invalid formatting style: \nSetting format to FIXED");
}

TEST(PlotDefaultsTest, TheNumbersNewPlotsAndDialogsShare) {
    const PlotDefaults& d = PlotDefaults::instance();
    EXPECT_EQ(&d, &PlotDefaults::instance());
    EXPECT_EQ(d.font_name, "lucida console");
    EXPECT_EQ(d.font_size, 100);
    EXPECT_EQ(d.colour_fade_factor, 0.6);
    EXPECT_EQ(d.default_line_width, 1);
    EXPECT_EQ(d.default_point_size, 1);
    EXPECT_EQ(d.hit_radius, 3);

    const PlotLimits& l = PlotLimits::instance();
    EXPECT_EQ(&l, &PlotLimits::instance());
    EXPECT_EQ(l.maximum_history, 10);
    EXPECT_EQ(l.maximum_files, 20);
    EXPECT_EQ(l.maximum_colour_component, 255);
    EXPECT_EQ(l.maximum_line_width, 5);
    EXPECT_EQ(l.maximum_point_size, 5);
    EXPECT_EQ(l.maximum_timer_tries, 100);
    EXPECT_EQ(l.largest_file_read_whole, 100000000);
    EXPECT_EQ(l.off_screen_point_limit, 100000);
}

TEST(CurveStylesTest, FadingMovesEachChannelTowardWhite) {
    EXPECT_EQ(rgb(0x12, 0x34, 0x56), 0x00563412u);  // red in the low byte
    EXPECT_EQ(faded(rgb(255, 0, 0), 0.6), rgb(255, 153, 153));
    EXPECT_EQ(faded(rgb(255, 153, 153), 0.6), rgb(255, 214, 214));  // 214.2
    EXPECT_EQ(faded(rgb(0, 0, 0), 0.5), rgb(128, 128, 128));        // 127.5 rounds up
    EXPECT_EQ(faded(rgb(254, 1, 255), 0.5), rgb(255, 128, 255));    // 254.5 and 128.0
    EXPECT_EQ(faded(rgb(10, 20, 30), 0.0), rgb(10, 20, 30));
    EXPECT_EQ(faded(rgb(10, 20, 30), 1.0), rgb(255, 255, 255));
}

TEST(CurveStylesTest, GenerationsShareEveryPropertyButTheFadedColour) {
    CurveStyleTables t;
    t.append_curve(rgb(0, 0, 255), DOT, 4, 5);
    t.append_curve(rgb(255, 0, 0), SOLID, 1, 0);
    t.resize_generations(1, 3);  // history 2
    EXPECT_EQ(t.m_Colours[1],
              (std::vector<Colour>{rgb(255, 0, 0), rgb(255, 153, 153), rgb(255, 214, 214)}));
    EXPECT_EQ(t.m_Styles[1], (std::vector<LineStyle>(3, SOLID)));
    EXPECT_EQ(t.m_Widths[1], (std::vector<std::int16_t>(3, 1)));
    EXPECT_EQ(t.m_PointSizes[1], (std::vector<std::int16_t>(3, 0)));
    EXPECT_EQ(t.generation_count(0), 1);  // the other curve is untouched

    t.set_colour(1, rgb(0, 0, 0));
    EXPECT_EQ(t.m_Colours[1],
              (std::vector<Colour>{rgb(0, 0, 0), rgb(153, 153, 153), rgb(214, 214, 214)}));
    t.set_style(1, DASHDOT);
    t.set_width(1, 3);
    t.set_point_size(1, 2);
    EXPECT_EQ(t.m_Styles[1], (std::vector<LineStyle>(3, DASHDOT)));
    EXPECT_EQ(t.m_Widths[1], (std::vector<std::int16_t>(3, 3)));
    EXPECT_EQ(t.m_PointSizes[1], (std::vector<std::int16_t>(3, 2)));

    // Resizing refills from entry 0, whatever the older entries held.
    t.m_Widths[1][2] = 5;
    t.m_Colours[1][1] = rgb(1, 2, 3);
    t.resize_generations(1, 4);
    EXPECT_EQ(t.m_Widths[1], (std::vector<std::int16_t>(4, 3)));
    EXPECT_EQ(t.m_Colours[1][1], rgb(153, 153, 153));
    t.resize_generations(1, 1);
    EXPECT_EQ(t.m_Colours[1], std::vector<Colour>{rgb(0, 0, 0)});

    t.remove_curve(0);
    ASSERT_EQ(t.curve_count(), 1);
    EXPECT_EQ(t.m_Colours[0], std::vector<Colour>{rgb(0, 0, 0)});
    EXPECT_EQ(t.m_Styles[0], std::vector<LineStyle>{DASHDOT});
    EXPECT_EQ(t.m_Widths.size(), 1u);
    EXPECT_EQ(t.m_PointSizes.size(), 1u);
}

TEST(PlotViewStateTest, ANewViewStartsFromTheDefaults) {
    const PlotViewState v;
    EXPECT_EQ(std::make_pair(v.m_XMin, v.m_XMax), std::make_pair(0.0, 1.0));
    EXPECT_EQ(std::make_pair(v.m_YMin, v.m_YMax), std::make_pair(0.0, 1.0));
    EXPECT_TRUE(v.m_AutoX && v.m_AutoY);
    EXPECT_FALSE(v.m_AutoXScroll || v.m_XScrollbarMode);
    EXPECT_EQ(std::make_pair(v.m_XTicks, v.m_YTicks), std::make_pair(5, 5));
    EXPECT_EQ(std::make_pair(v.m_XPrecision, v.m_YPrecision), std::make_pair(2, 2));
    EXPECT_EQ(std::make_pair(v.m_XFormat, v.m_YFormat), std::make_pair(FIXED, FIXED));
    EXPECT_EQ(v.m_TickLength, 5);
    EXPECT_EQ(v.m_FontName, "lucida console");
    EXPECT_EQ(v.m_FontSize, 100);
    EXPECT_TRUE(v.m_Grid && v.m_Legend && v.m_DataTips);
    EXPECT_EQ(v.m_TimerId, 0u);
    EXPECT_EQ(v.m_TickCounter, 0u);
    EXPECT_EQ(v.m_MaxTries, 4294967295u);
    EXPECT_FALSE(v.m_Frozen || v.m_SaveActive || v.m_StartMaximised);
    EXPECT_EQ(v.m_SaveInterval, 60);
    EXPECT_EQ(v.m_SaveType, 1);
    EXPECT_EQ(v.m_SaveFileName, "");
    EXPECT_EQ(v.m_Curves.curve_count(), 0);
}

}  // namespace
}  // namespace tarvik
