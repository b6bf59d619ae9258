// The dialogs' rules without widgets: timer, window properties and line properties.
#include <gtest/gtest.h>

#include "line_property_form.h"
#include "sheet_pages.h"
#include "timer_form.h"
#include "window_properties_form.h"

namespace tarvik {
namespace {

TEST(TimerForm, IntervalListStartsWithTheCurrentValue) {
    using List = std::vector<std::string>;
    EXPECT_EQ(TimerForm(2500, 5).interval_list(),
              (List{"  25", "   0", "   1", "  10", "  20", " 300"}));
    EXPECT_EQ(TimerForm(1000, 5).interval_list(), (List{"  10", "   0", "   1", "  20", " 300"}));
    EXPECT_EQ(TimerForm(0, 5).interval_list(), (List{"   0", "   1", "  10", "  20", " 300"}));
}

TEST(TimerForm, UnlimitedAndLimitedTries) {
    TimerForm unlimited(1000, TimerForm::kUnlimitedTries);
    EXPECT_TRUE(unlimited.unlimited());
    EXPECT_FALSE(unlimited.tries_enabled());
    EXPECT_EQ(unlimited.tries_box(), 100);
    EXPECT_EQ(unlimited.result(25, 100).max_tries, -1);
    EXPECT_EQ(unlimited.result(25, 100).interval_ms, 2500);

    TimerForm limited(1000, 500);
    EXPECT_EQ(limited.tries_box(), 500);  // shown as it is; OK refuses it
    limited.click_unlimited();
    EXPECT_EQ(limited.tries_box(), 100);
    limited.click_limited();
    EXPECT_TRUE(limited.tries_enabled());
    EXPECT_EQ(limited.result(10, 7).max_tries, 7);
}

TEST(TimerForm, IntervalTextReadsLeadingDigits) {
    const std::pair<const char*, long long> rows[] = {{"  25", 25}, {"300", 300}, {"12abc", 12},
                                                      {"abc", 0},   {"", 0},      {"-5", -5}};
    for (const auto& [text, tenths] : rows)
        EXPECT_EQ(TimerForm::interval_tenths(text), tenths) << text;
    EXPECT_GT(TimerForm::interval_tenths("99999999999999999999999"), 300);
}

TEST(WindowPropertiesForm, TicksShownMinusTwoAndStoredPlusTwo) {
    WindowSettings stored;
    stored.x = {1.0, 2.0, true};
    stored.x_ticks = 7;
    stored.y_ticks = 2;
    WindowPropertiesForm form(stored);
    EXPECT_EQ(form.x_extra_ticks, 5);
    EXPECT_EQ(form.y_extra_ticks, 0);
    EXPECT_FALSE(form.x_range.values().automatic);  // "Auto" opens clear
    EXPECT_EQ(form.settings().x_ticks, 7);
    EXPECT_EQ(form.settings().y_ticks, 2);
}

TEST(WindowPropertiesForm, OpensOnTickCountsAtTheEndsOfInt32) {
    WindowSettings stored;
    stored.x_ticks = INT32_MIN;  // a configuration file may hold any int32
    stored.y_ticks = INT32_MAX;
    WindowPropertiesForm form(stored);
    EXPECT_EQ(form.x_extra_ticks, INT32_MIN);
    EXPECT_EQ(form.y_extra_ticks, INT32_MAX - 2);
    WindowPropertyChange change;
    EXPECT_FALSE(form.change_for(WindowPropertiesForm::Ticks, change));  // not in 0..50
    EXPECT_EQ(form.settings().y_ticks, INT32_MAX);
}

TEST(WindowPropertiesForm, ApplyRecordOfEachPageAndRefusedCounts) {
    WindowPropertiesForm form(WindowSettings{});
    WindowPropertyChange change;
    form.y_range.set_automatic(true);
    ASSERT_TRUE(form.change_for(WindowPropertiesForm::YRange, change));
    EXPECT_EQ(change.page, 1);
    EXPECT_TRUE(change.y_automatic);

    form.x_extra_ticks = 60;
    EXPECT_FALSE(form.change_for(WindowPropertiesForm::Ticks, change));
    form.x_extra_ticks = 50;
    ASSERT_TRUE(form.change_for(WindowPropertiesForm::Ticks, change));
    EXPECT_EQ(change.x_extra_ticks, 50);

    form.y_precision = 7;
    EXPECT_FALSE(form.change_for(WindowPropertiesForm::Precision, change));
    form.y_precision = 6;
    form.x_notation = 1;
    ASSERT_TRUE(form.change_for(WindowPropertiesForm::Precision, change));
    EXPECT_EQ(change.x_notation, 1);
}

TEST(WindowPropertiesForm, ModifiedPerPage) {
    WindowPropertiesForm form(WindowSettings{});
    EXPECT_FALSE(form.any_modified());
    form.set_modified(WindowPropertiesForm::Ticks);
    EXPECT_TRUE(form.modified(WindowPropertiesForm::Ticks));
    EXPECT_FALSE(form.modified(WindowPropertiesForm::XRange));
    form.y_range.swap_limits();
    EXPECT_TRUE(form.modified(WindowPropertiesForm::YRange));
    EXPECT_EQ(form.y_range.values().minimum, 1.0);
    form.clear_modified();
    EXPECT_FALSE(form.any_modified());
}

TEST(SheetPages, OkReadsOpenedAndChangedPagesActiveFirst) {
    SheetPages pages;
    for (int i = 0; i < 4; ++i)
        pages.add_page();
    const auto none = [](int) { return false; };
    EXPECT_EQ(pages.read_on_ok(0, none), std::vector<int>{});
    pages.open(0);  // the sheet opens on its first page
    EXPECT_EQ(pages.read_on_ok(0, none), std::vector<int>{0});
    pages.open(2);
    EXPECT_EQ(pages.read_on_ok(2, none), (std::vector<int>{2, 0}));
    EXPECT_EQ(pages.read_on_ok(2, [](int page) { return page == 3; }), (std::vector<int>{2, 3, 0}));
    pages.open(7);  // no such page
    EXPECT_EQ(pages.read_on_ok(9, none), (std::vector<int>{0, 2}));
}

TEST(LinePropertyForm, ColourIsStoredLowByteRed) {
    EXPECT_EQ(packed_colour(1, 2, 3), 197121u);
    EXPECT_EQ(packed_colour(255, 0, 0), 0x0000FFu);
    EXPECT_EQ(packed_colour(0, 255, 255), 0xFFFF00u);
}

TEST(SizePageForm, InvisibleRulesOfBothPages) {
    SizePageForm width(SizePageForm::Kind::LineWidth, 0);
    EXPECT_TRUE(width.invisible());
    EXPECT_FALSE(width.box_enabled());
    EXPECT_EQ(width.box_text_on_opening(), 0);
    width.click_size();
    EXPECT_EQ(width.box_value(), 1);
    EXPECT_EQ(width.size(), 1);
    width.set_box_value(4);
    width.click_invisible();
    EXPECT_EQ(width.box_value(), 1);
    EXPECT_EQ(width.size(), 0);

    SizePageForm points(SizePageForm::Kind::PointSize, 0);
    EXPECT_EQ(points.box_text_on_opening(), 1);
    points.click_invisible();
    EXPECT_EQ(points.box_value(), 2);
    EXPECT_EQ(points.size(), 0);

    SizePageForm visible(SizePageForm::Kind::PointSize, 3);
    EXPECT_FALSE(visible.invisible());
    EXPECT_EQ(visible.box_text_on_opening(), 3);
}

TEST(LinePropertyForm, ApplyRecordsAndLook) {
    LinePropertyForm form({1, 2, 3, 0, 4, 5}, 6);
    LinePropertyChange change;
    ASSERT_TRUE(form.change_for(LinePropertyForm::Colour, change));
    EXPECT_EQ(change.curve, 6);
    EXPECT_EQ(change.kind, 0);
    EXPECT_EQ(change.blue, 3);
    ASSERT_TRUE(form.change_for(LinePropertyForm::Width, change));
    EXPECT_EQ(change.kind, 1);
    EXPECT_EQ(change.width, 0);
    ASSERT_TRUE(form.change_for(LinePropertyForm::PointSize, change));
    EXPECT_EQ(change.point_size, 5);
    form.red = 300;
    EXPECT_FALSE(form.change_for(LinePropertyForm::Colour, change));
    const LineLook look = form.look();
    EXPECT_EQ(look.style, 4);
    EXPECT_EQ(look.width, 0);
}

}  // namespace
}  // namespace tarvik
