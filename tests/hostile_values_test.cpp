// Any value a configuration file, a data file, a property message or the x-scrollbar growth can
// put into a plot: one row per field and value. Each loads (or is refused with a message), is
// drawn as the window draws it at 1280 x 800 and saved as its picture (and a PDF), within a
// generous time: the faults these rows stood for crashed, took hours or allocated gigabytes.
// Values that can be kept are written back as they were read.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "automatic_range.h"
#include "headless_view.h"
#include "load_configuration.h"
#include "plot_image.h"
#include "plot_renderer.h"
#include "prompt_recorder.h"
#include "tarvik_doc.h"
#include "temp_dir.h"
#include "vector_picture.h"
#include "view_commands.h"
#include "view_ranges.h"

namespace tarvik {
namespace {

using Clock = std::chrono::steady_clock;

// Far above what any row takes (well under a second in a release build); the faults took
// minutes, hours or never ended.
constexpr auto kGenerousTime = std::chrono::seconds(20);

struct Row {
    std::string name;
    // Tags of the configuration and their values (the first curve's for curve tags).
    std::vector<std::pair<std::string, std::string>> tags;
    // Makes the first curve's data file (when the row runs: some are tens of megabytes);
    // none: a sine of 2000 points.
    std::function<std::string()> data;
    // What arrives after loading: a property message, a mode.
    std::function<void(PlotViewState&, CTarvikDoc&)> then;
    // The configuration written back holds each tag's value as written here.
    bool written_back = false;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.name;
}

using Tags = std::vector<std::pair<std::string, std::string>>;
using Then = std::function<void(PlotViewState&, CTarvikDoc&)>;

// A row whose values the configuration written back holds as they were read.
Row kept(std::string name, Tags tags) {
    return {std::move(name), std::move(tags), nullptr, nullptr, true};
}
// A row whose values are read into something else (ranges, colours) or not at all.
Row read(std::string name, Tags tags) {
    return {std::move(name), std::move(tags), nullptr, nullptr, false};
}
Row data_file(std::string name, std::function<std::string()> data, Tags tags = {}) {
    return {std::move(name), std::move(tags), std::move(data), nullptr, false};
}
Row after_loading(std::string name, Then then) {
    return {std::move(name), {}, nullptr, std::move(then), false};
}

std::string sine_data() {
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += std::to_string(i * 0.01) + " " + std::to_string(std::sin(i * 0.01)) + "\n";
    return text;
}

std::string repeated(const std::string& line, int times) {
    std::string text;
    text.reserve(line.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i)
        text += line;
    return text;
}

std::string with_tag(std::string text, const std::string& tag, const std::string& value) {
    const std::string open = "<" + tag + ">";
    const std::string close = "</" + tag + ">";
    const auto start = text.find(open);
    const auto end = text.find(close, start);
    EXPECT_NE(start, std::string::npos) << tag;
    if (start != std::string::npos && end != std::string::npos)
        text.replace(start + open.size(), end - start - open.size(), value);
    return text;
}

const std::string max_int = "2147483647";
const std::string min_int = "-2147483648";

WindowPropertyChange window_page(WindowPropertyChange::Page page) {
    WindowPropertyChange change;
    change.page = page;
    return change;
}

LinePropertyChange line_change(LinePropertyChange::Kind kind, std::int32_t value) {
    LinePropertyChange change;
    change.kind = kind;
    change.width = change.style = change.point_size = value;
    return change;
}

// Enters x-scrollbar mode as the window does, with tick counts already at the top of int32.
void scrollbar_with_ticks(PlotViewState& state, CTarvikDoc& doc, std::int32_t ticks) {
    state.m_XTicks = ticks;
    enter_x_scrollbar_mode(state, doc);
    state.m_XMax = state.m_XMin + state.m_PageSpan / 1000;  // the data now lie far beyond
    for (int tick = 0; tick < 3; ++tick)
        extend_x_scrollbar(state, doc);
}

std::string falling_points(int count) {
    std::string text;
    for (int i = count; i > 0; --i)
        text += std::to_string(i) + " " + std::to_string(i % 977) + "\n";
    return text;
}

const std::vector<Row>& rows() {
    static const std::vector<Row> all = {
        // Precisions, ticks and formats.
        kept("xprec_ten_million", {{"xprec", "10000000"}}),
        kept("yprec_largest", {{"yprec", max_int}, {"yformat", "SCIENTIFIC"}}),
        kept("precisions_negative", {{"xprec", min_int}, {"yprec", "-1"}}),
        kept("xticks_three_million", {{"xticks", "3000000"}}),
        kept("ticks_largest", {{"xticks", max_int}, {"yticks", max_int}}),
        kept("ticks_none_or_one", {{"xticks", "0"}, {"yticks", "1"}}),
        kept("ticks_negative", {{"xticks", min_int}, {"yticks", "-5"}}),
        read("formats_unknown", {{"xformat", "GENERAL"}, {"yformat", "fixed"}}),
        // Ranges (fixed, as read; values that are no finite number are not taken).
        read("range_empty", {{"xmin", "3"}, {"xmax", "3"}, {"ymin", "0"}, {"ymax", "0"}}),
        read("range_reversed", {{"xmin", "20"}, {"xmax", "-20"}, {"ymin", "1"}, {"ymax", "-1"}}),
        read("range_widest", {{"xmin", "-1.797693134862315e+308"},
                              {"xmax", "1.797693134862315e+308"},
                              {"ymin", "-1e308"},
                              {"ymax", "1e308"}}),
        read("range_subnormal", {{"xmin", "0"}, {"xmax", "4.9e-324"}, {"ymin", "-4.9e-324"}}),
        read("range_not_numbers", {{"xmin", "nan"}, {"xmax", "inf"}, {"ymin", "-inf"}}),
        // Timer, tries, curves.
        kept("max_tries_zero", {{"max_timer_tries", "0"}}),
        read("timer_intervals", {{"timer_interval", "1"}}),
        read("timer_largest", {{"timer_interval", max_int}, {"max_timer_tries", "4294967295"}}),
        read("timer_negative", {{"timer_interval", min_int}, {"max_timer_tries", "99999999999"}}),
        read("curves_largest", {{"number_of_curves", max_int}}),
        read("curves_none", {{"number_of_curves", "0"}}),
        read("curves_negative", {{"number_of_curves", min_int}}),
        // Fonts.
        kept("font_size_zero", {{"font_size", "0"}}),
        kept("font_size_negative", {{"font_size", min_int}}),
        kept("font_size_largest", {{"font_size", max_int}}),
        kept("font_size_thousand_points", {{"font_size", "10000"}}),
        kept("font_large_with_dense_ticks",
             {{"font_size", "600"}, {"xticks", max_int}, {"yticks", max_int}}),
        read("font_name_long", {{"font_name", std::string(5000, 'f')}}),
        // Per curve.
        kept("columns_largest", {{"xcol", max_int}, {"ycol", max_int}}),
        kept("columns_smallest", {{"xcol", min_int}, {"ycol", min_int}}),
        kept("columns_short_limit", {{"xcol", "32767"}, {"ycol", "-1"}}),
        read("colour_out_of_range", {{"line_color", "999,-5,300"}}),
        read("colour_incomplete", {{"line_color", "1,2"}}),
        read("colour_not_numbers", {{"line_color", "a,b,c"}}),
        read("style_unknown", {{"line_style", "WAVY"}}),
        read("style_null", {{"line_style", "NULL"}}),
        kept("line_and_point_size_largest", {{"line_size", "32767"}, {"point_size", "32767"}}),
        read("line_and_point_size_beyond_short", {{"line_size", max_int}, {"point_size", min_int}}),
        read("titles_long",
             {{"title", std::string(100000, 't')}, {"line_title", std::string(100000, 'l')}}),
        // Data files.
        data_file("data_huge_exponents",
                  [] { return repeated("1e308 1e308\n-1e308 -1e308\n1e-308 5e-324\n", 1000); }),
        data_file("data_extremes_side_by_side",
                  [] { return repeated("1e308 -1e308\n-1e308 1e308\n", 10000); },
                  {{"auto_x_range", "1"}, {"auto_y_range", "1"}}),
        data_file("data_widest_automatic_range",
                  [] {
                      return std::string(
                          "-1.7976931348623157e308 1.7976931348623157e308\n"
                          "1.7976931348623157e308 -1.7976931348623157e308\n");
                  },
                  {{"auto_x_range", "1"}, {"auto_y_range", "1"}}),
        data_file("data_two_million_nan_lines", [] { return repeated("NaN\n", 2000000); }),
        data_file("data_one_huge_line", [] { return repeated("1234.5 ", 4000000) + "\n"; }),
        data_file("data_million_falling_points", [] { return falling_points(1000000); }),
        data_file("data_elapsed_time", [] { return repeated("1\n", 100000); }, {{"xcol", "-1"}}),
        // Messages after loading.
        after_loading("message_ticks_largest",
                      [](PlotViewState& s, CTarvikDoc& d) {
                          WindowPropertyChange change = window_page(WindowPropertyChange::Ticks);
                          change.x_extra_ticks = change.y_extra_ticks = 2147483647;
                          apply_window_property(s, d, change);
                      }),
        after_loading("message_precision_largest",
                      [](PlotViewState& s, CTarvikDoc& d) {
                          WindowPropertyChange change =
                              window_page(WindowPropertyChange::Precision);
                          change.x_precision = change.y_precision = 2147483647;
                          change.x_notation = 7;
                          apply_window_property(s, d, change);
                      }),
        after_loading("message_ranges_not_numbers",
                      [](PlotViewState& s, CTarvikDoc& d) {
                          WindowPropertyChange change = window_page(WindowPropertyChange::XRange);
                          change.x_minimum = -INFINITY;
                          change.x_maximum = NAN;
                          apply_window_property(s, d, change);
                      }),
        after_loading("message_width_and_point_size_largest",
                      [](PlotViewState& s, CTarvikDoc&) {
                          apply_line_property(s, line_change(LinePropertyChange::Width, 0x7FFF));
                          apply_line_property(s,
                                              line_change(LinePropertyChange::PointSize, 0x7FFF));
                          apply_line_property(s, line_change(LinePropertyChange::Style, 0x7FFF));
                      }),
        // The scrollable x axis grows by whole pages of ticks.
        after_loading(
            "scrollbar_growth_from_largest_ticks",
            [](PlotViewState& s, CTarvikDoc& d) { scrollbar_with_ticks(s, d, 2147483647); }),
        after_loading("scrollbar_growth_from_dense_ticks",
                      [](PlotViewState& s, CTarvikDoc& d) { scrollbar_with_ticks(s, d, 100000); }),
    };
    return all;
}

class HostileValueTest : public ::testing::TestWithParam<Row> {
  protected:
    HostileValueTest() {
        view_.document = &doc_;
        view_.state().m_ClientRect = PixelRect{0, 0, 1280, 800};
    }

    // Two curves on fixed ranges, grid and legend on.
    std::string configuration(const std::string& first_data) const {
        ConfigurationValues v;
        v.auto_x_range = false;
        v.x_maximum = 20.0;
        v.auto_y_range = false;
        v.y_minimum = -1.2;
        v.y_maximum = 1.2;
        v.grid = true;
        v.legend = true;
        v.curves.push_back({first_data, 0, 1, "first", 255, 0, 0, 0, 1, 1, false, 1});
        v.curves.push_back({dir_.write("b.txt", "0 0\n10 1\n20 -1\n"), 0, 1, "second", 0, 0, 255, 1,
                            2, 2, false, 1});
        return configuration_text(v);
    }

    // The window's picture: the visible part of the drawing (scrolled in x-scrollbar mode).
    void draw_window(int scroll) {
        QImage picture(1280, 800, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.translate(-scroll, 0);
        draw_plot(painter, view_.state().m_ClientRect, view_.state(), doc_);
    }

    testing::TempDir dir_;
    testing::PromptRecorder prompts_;
    testing::HeadlessView view_;
    CTarvikDoc doc_{&view_};
};

TEST_P(HostileValueTest, LoadsDrawsAndSavesInBoundedTime) {
    const Row& row = GetParam();
    std::string text = configuration(dir_.write("a.txt", row.data ? row.data() : sine_data()));
    for (const auto& [tag, value] : row.tags)
        text = with_tag(text, tag, value);
    const Clock::time_point start = Clock::now();

    const bool loaded = LoadConfiguration(doc_, dir_.write("plot.xml", text));
    ASSERT_TRUE(loaded || !prompts_.texts().empty()) << "a refusal says why";
    if (!loaded)
        return;
    PlotViewState& state = view_.state();
    if (row.then)
        row.then(state, doc_);
    const int scroll = state.m_XScrollbarMode ? std::max(0, state.m_ClientRect.width() / 2) : 0;
    draw_window(scroll);
    // Saved pictures hold what the window shows at its scroll position.
    const PixelRect shown{scroll, 0, scroll + 1280, 800};
    EXPECT_TRUE(SaveImage(state, doc_, shown, dir_.file("plot.png"), 1));
    // A vector picture holds every point of a curve, as a print does: a million of them take
    // their time whatever the values, so the data rows leave it out.
    if (!row.data) {
        EXPECT_TRUE(
            save_vector_picture(state, doc_, shown, dir_.file("plot.pdf"), VectorFormat::Pdf));
    }
    EXPECT_LT(Clock::now() - start, kGenerousTime);

    if (!row.written_back)
        return;
    const std::string saved = configuration_text(configuration_values(doc_, state, false));
    for (const auto& [tag, value] : row.tags)
        EXPECT_NE(saved.find("<" + tag + ">" + value + "</" + tag + ">"), std::string::npos)
            << tag << " written back as read";
}

INSTANTIATE_TEST_SUITE_P(EveryField, HostileValueTest, ::testing::ValuesIn(rows()),
                         [](const ::testing::TestParamInfo<Row>& row) { return row.param.name; });

}  // namespace
}  // namespace tarvik
