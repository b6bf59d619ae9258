// The plot document: its title, closing, timer, numbering and initialisation, and the curve
// operations that keep the per-curve sequences in step.
#include "tarvik_doc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <string>
#include <vector>

#include "enumerations.h"
#include "headless_view.h"
#include "parse_error.h"
#include "prompt_recorder.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

using testing::HeadlessView;
using testing::PromptRecorder;
using testing::TempDir;

std::string clock_text(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    char text[64];
    return std::string(text, std::strftime(text, sizeof text, "%X", &local));
}

// True when `title` is the time of a moment in [from, to] followed by `rest`.
bool stamped_between(const std::string& title, std::time_t from, std::time_t to,
                     const std::string& rest) {
    for (std::time_t t = from; t <= to; ++t) {
        if (title == clock_text(t) + rest)
            return true;
    }
    return false;
}

class DocumentTest : public ::testing::Test {
  protected:
    DocumentTest() {
        view_.document = &doc_;
        StartupRequest::instance() = StartupRequest{};
    }
    ~DocumentTest() override {
        StartupRequest::instance() = StartupRequest{};
        CTarvikDoc::builders() = CTarvikDoc::Builders{};
    }

    std::string file(const std::string& name, const std::string& bytes = "1 10\n2 20\n") {
        return dir_.write(name, bytes);
    }
    void add(CTarvikDoc& doc, const std::string& path, int xcol = 0, int ycol = 1,
             const std::string& title = "", const CurveDrawing& drawing = {}) {
        ASSERT_TRUE(doc.append_curve(path, xcol, ycol, title, false, drawing));
    }
    void expect_curve_count(const CTarvikDoc& doc, std::size_t n) {
        EXPECT_EQ(doc.file_monitor().size(), n);
        EXPECT_EQ(doc.file_titles().size(), static_cast<int>(n));
        EXPECT_EQ(doc.file_columns().size(), n);
        EXPECT_EQ(doc.add_only_modes().size(), n);
        EXPECT_EQ(doc.line_points().size(), n);
    }

    TempDir dir_;
    PromptRecorder prompts_;
    HeadlessView view_;
    CTarvikDoc doc_{&view_};
};

TEST_F(DocumentTest, WindowTitleIsTheTimeThenEveryCurve) {
    const std::string a = file("a.txt");
    const std::string b = file("b.txt", "1 2 3 4\n");
    std::time_t from = std::time(nullptr);
    doc_.BuildWindowTitle();
    EXPECT_TRUE(stamped_between(doc_.window_title(), from, std::time(nullptr), " "))
        << doc_.window_title();

    add(doc_, a);
    add(doc_, b, 2, 3);
    from = std::time(nullptr);
    doc_.BuildWindowTitle();
    const std::string rest = "  " + a + " 0-1 " + b + " 2-3";
    EXPECT_TRUE(stamped_between(doc_.window_title(), from, std::time(nullptr), rest))
        << doc_.window_title();

    // Stamping renews the leading time only; the framework's setter never takes over.
    const std::time_t moment = 1000000000;
    doc_.StampWindowTitle(moment);
    EXPECT_EQ(doc_.window_title(), clock_text(moment) + rest);
    doc_.SetTitle("Untitled");
    EXPECT_EQ(doc_.window_title(), clock_text(moment) + rest);
}

TEST_F(DocumentTest, CloseAsksWithTheTitle) {
    add(doc_, file("a.txt"));
    doc_.BuildWindowTitle();
    const std::string text =
        "Are you sure you want to close window \n" + doc_.window_title() + " ?";
    prompts_.answer_next(prompt::Button::Yes);
    EXPECT_TRUE(doc_.confirm_close());
    prompts_.answer_next(prompt::Button::No);
    EXPECT_FALSE(doc_.confirm_close());
    EXPECT_FALSE(doc_.confirm_close());  // the box closed without an answer keeps the window
    ASSERT_EQ(prompts_.prompts().size(), 3u);
    for (const auto& p : prompts_.prompts()) {
        EXPECT_EQ(p.text, text);
        EXPECT_EQ(p.buttons, prompt::Buttons::YesNo);
        EXPECT_EQ(p.icon, prompt::Icon::Question);
    }
}

TEST_F(DocumentTest, TimerIntervalZeroStopsAndANewOneRestarts) {
    doc_.SetTimerInterval(0);
    EXPECT_EQ(doc_.timer_interval(), 0);
    EXPECT_EQ(view_.state().m_TimerId, 0u);
    doc_.SetTimerInterval(500);
    EXPECT_EQ(doc_.timer_interval(), 500);
    EXPECT_EQ(view_.timer_requests, (std::vector<std::int32_t>{0, 500}));
    EXPECT_EQ(view_.state().m_TimerId, 1u);
}

TEST_F(DocumentTest, NumberMovesOnlyWhenADocumentInitialises) {
    const std::int32_t n = CTarvikDoc::document_counter();
    StartupRequest& request = StartupRequest::instance();
    request.plot_request_pending = true;
    request.plot_request.file = dir_.file("none.txt");
    {
        HeadlessView view;
        CTarvikDoc failed(&view);
        view.document = &failed;
        EXPECT_EQ(failed.doc_number(), n);
        EXPECT_FALSE(failed.OnNewDocument());
        EXPECT_EQ(CTarvikDoc::document_counter(), n);
        EXPECT_EQ(view.data_updates, 0);
        EXPECT_TRUE(view.timer_requests.empty());
        EXPECT_TRUE(view.state().m_SaveFileName.empty());
        expect_curve_count(failed, 0);
        EXPECT_EQ(view.state().m_Curves.curve_count(), 0);
    }
    ASSERT_EQ(prompts_.texts(),
              std::vector<std::string>{"File " + dir_.file("none.txt") + " not found"});
    EXPECT_EQ(prompts_.prompts()[0].icon, prompt::Icon::Error);

    request.plot_request.file = file("a.txt");
    for (int k = 0; k < 2; ++k) {
        HeadlessView view;
        CTarvikDoc doc(&view);
        view.document = &doc;
        doc.set_start_timer_interval(250);
        const std::time_t from = std::time(nullptr);
        ASSERT_TRUE(doc.OnNewDocument());
        EXPECT_EQ(doc.doc_number(), n + k);
        EXPECT_EQ(CTarvikDoc::document_counter(), n + k + 1);
        EXPECT_EQ(view.state().m_SaveFileName, "tarvik." + std::to_string(n + k) + ".png");
        EXPECT_EQ(view.data_updates, 1);
        EXPECT_EQ(view.timer_requests, std::vector<std::int32_t>{250});
        EXPECT_EQ(doc.timer_interval(), 250);
        EXPECT_TRUE(stamped_between(doc.window_title(), from, std::time(nullptr),
                                    "  " + doc.file_name(0) + " 0-1"))
            << doc.window_title();
    }
}

TEST_F(DocumentTest, InitialisationUsesTheBuildersInOrder) {
    const std::int32_t n = CTarvikDoc::document_counter();
    StartupRequest& request = StartupRequest::instance();
    // Nothing installed: neither branch can build a plot.
    EXPECT_FALSE(doc_.OnNewDocument());
    request.configuration_pending = true;
    request.configuration_file = "plot.xml";
    EXPECT_FALSE(doc_.OnNewDocument());
    EXPECT_FALSE(request.configuration_pending);
    EXPECT_EQ(CTarvikDoc::document_counter(), n);
    EXPECT_TRUE(view_.timer_requests.empty());

    std::vector<std::string> calls;
    CTarvikDoc::builders().load_configuration = [&](CTarvikDoc& d, const std::string& f) {
        EXPECT_EQ(&d, &doc_);
        calls.push_back("load " + f);
        return true;
    };
    CTarvikDoc::builders().add_file_new_plot = [&](CTarvikDoc&) {
        calls.push_back("new plot");
        return false;
    };
    request.configuration_pending = true;
    request.plot_request_pending = true;  // the configuration takes precedence
    request.plot_request.file = dir_.file("none.txt");
    EXPECT_TRUE(doc_.OnNewDocument());
    EXPECT_FALSE(request.configuration_pending);
    EXPECT_EQ(CTarvikDoc::document_counter(), n + 1);

    request.plot_request_pending = false;
    CTarvikDoc second(&view_);
    EXPECT_FALSE(second.OnNewDocument());
    EXPECT_EQ(calls, (std::vector<std::string>{"load plot.xml", "new plot"}));
    EXPECT_EQ(CTarvikDoc::document_counter(), n + 1);
}

TEST_F(DocumentTest, ConfigurationErrorIsShownAndLeavesNoDocument) {
    const std::int32_t n = CTarvikDoc::document_counter();
    CTarvikDoc::builders().load_configuration = [](CTarvikDoc&, const std::string&) -> bool {
        throw parse_error("number_of_curves");
    };
    StartupRequest::instance().configuration_pending = true;
    EXPECT_FALSE(doc_.OnNewDocument());
    ASSERT_EQ(prompts_.prompts().size(), 1u);
    EXPECT_EQ(prompts_.prompts()[0].text, "Error in XML tag: number_of_curves");
    EXPECT_EQ(prompts_.prompts()[0].icon, prompt::Icon::Error);
    EXPECT_FALSE(StartupRequest::instance().configuration_pending);
    EXPECT_EQ(CTarvikDoc::document_counter(), n);
    EXPECT_TRUE(view_.timer_requests.empty());
}

TEST_F(DocumentTest, PlotRequestGivesOneBlackSolidCurveWithTheRequestedRanges) {
    const PlotRequest request{file("a.txt", "0 1 5\n1 2 6\n"), 0, 2, -1.5, 2.5, -3.0, 4.0};
    ASSERT_TRUE(doc_.AddPlotRequest(request));
    expect_curve_count(doc_, 1);
    EXPECT_EQ(doc_.file_name(0), request.file);
    EXPECT_EQ(doc_.x_column(0), 0);
    EXPECT_EQ(doc_.y_column(0), 2);
    EXPECT_EQ(doc_.curve_title(0), "");
    EXPECT_EQ(doc_.add_only(0), 0);
    ASSERT_EQ(doc_.history(0).size(), 1u);
    EXPECT_EQ(doc_.history(0)[0].x, (std::vector<double>{0, 1}));
    EXPECT_EQ(doc_.history(0)[0].y, (std::vector<double>{5, 6}));

    const PlotViewState& v = view_.state();
    EXPECT_EQ(v.m_Curves.m_Colours, (std::vector<std::vector<Colour>>{{rgb(0, 0, 0)}}));
    EXPECT_EQ(v.m_Curves.m_Styles, (std::vector<std::vector<LineStyle>>{{SOLID}}));
    EXPECT_EQ(v.m_Curves.m_Widths, (std::vector<std::vector<std::int16_t>>{{1}}));
    EXPECT_EQ(v.m_Curves.m_PointSizes, (std::vector<std::vector<std::int16_t>>{{0}}));
    EXPECT_EQ(v.m_XMin, -1.5);
    EXPECT_EQ(v.m_XMax, 2.5);
    EXPECT_EQ(v.m_YMin, -3.0);
    EXPECT_EQ(v.m_YMax, 4.0);
    EXPECT_FALSE(v.m_AutoX);
    EXPECT_FALSE(v.m_AutoY);
    EXPECT_GE(view_.updates, 1);
    EXPECT_TRUE(doc_.window_title().ends_with("  " + request.file + " 0-2"));
    EXPECT_TRUE(prompts_.prompts().empty());
}

TEST_F(DocumentTest, MissingFileAddsNothingAnywhere) {
    add(doc_, file("a.txt"), 0, 1, "", CurveDrawing{rgb(1, 2, 3), SOLID, 1, 1});
    const std::string missing = dir_.file("none.txt");
    EXPECT_FALSE(doc_.append_curve(missing, 0, 1, "t", true));
    EXPECT_FALSE(doc_.AddPlotRequest(PlotRequest{missing}));
    expect_curve_count(doc_, 1);
    EXPECT_EQ(view_.state().m_Curves.curve_count(), 1);
    EXPECT_TRUE(view_.state().m_AutoX);  // the request's ranges were not taken
    EXPECT_EQ(prompts_.texts(), std::vector<std::string>(2, "File " + missing + " not found"));
}

TEST_F(DocumentTest, RemovingTheFirstOfThreeMovesTheOthersDown) {
    const std::string a = file("a.txt", "1 1\n");
    const std::string b = file("b.txt", "2 2\n");
    const std::string c = file("c.txt", "3 3\n4 4\n");
    CurveStyleTables& tables = view_.state().m_Curves;
    add(doc_, a, 0, 1, "longest", CurveDrawing{rgb(255, 0, 0), SOLID, 1, 1});
    doc_.set_add_only(0, NEW_LINES_ONLY);
    add(doc_, b, 1, 0, "ab", CurveDrawing{rgb(0, 255, 0), DASH, 2, 3});
    add(doc_, c, 0, 1, "cd", CurveDrawing{rgb(0, 0, 255), DOT, 3, 0});
    ASSERT_TRUE(doc_.resize_history(2, 2));
    EXPECT_EQ(doc_.file_titles().longest_index(), 0);

    ASSERT_TRUE(doc_.remove_curve(0));
    expect_curve_count(doc_, 2);
    EXPECT_EQ(doc_.file_name(0), b);
    EXPECT_EQ(doc_.file_name(1), c);
    EXPECT_EQ(doc_.x_column(0), 1);
    EXPECT_EQ(doc_.y_column(0), 0);
    EXPECT_EQ(doc_.add_only(0), 0);
    EXPECT_EQ(doc_.curve_title(0), "ab");
    EXPECT_EQ(doc_.curve_title(1), "cd");
    EXPECT_EQ(doc_.file_titles().longest_index(), 0);  // a tie keeps the earlier curve
    EXPECT_EQ(doc_.file_titles().longest_length(), 2);
    EXPECT_EQ(doc_.history(1).size(), 2u);
    EXPECT_EQ(doc_.history(1)[0].x, (std::vector<double>{3, 4}));
    EXPECT_EQ(tables.m_Colours, (std::vector<std::vector<Colour>>{
                                    {rgb(0, 255, 0)}, {rgb(0, 0, 255), rgb(153, 153, 255)}}));
    EXPECT_EQ(tables.m_Styles, (std::vector<std::vector<LineStyle>>{{DASH}, {DOT, DOT}}));
    EXPECT_EQ(tables.m_Widths, (std::vector<std::vector<std::int16_t>>{{2}, {3, 3}}));
    // The monitor entries moved with their curves.
    dir_.append("b.txt", "5 5\n");
    EXPECT_EQ(doc_.check_file(0), FILE_CHANGED);
    EXPECT_EQ(doc_.check_file(1), FILE_UNCHANGED);

    doc_.BuildWindowTitle();
    EXPECT_TRUE(doc_.window_title().ends_with("  " + b + " 1-0 " + c + " 0-1"));
    EXPECT_FALSE(doc_.remove_curve(2));
    EXPECT_FALSE(doc_.remove_curve(-1));
    expect_curve_count(doc_, 2);
}

TEST_F(DocumentTest, LongestTitleFollowsEveryChange) {
    const std::string a = file("a.txt");
    EXPECT_EQ(doc_.file_titles().longest_index(), -1);
    add(doc_, a, 0, 1, "");
    add(doc_, a, 0, 1, "");
    EXPECT_EQ(doc_.file_titles().longest_index(), -1);
    EXPECT_EQ(doc_.file_titles().longest_length(), 0);
    add(doc_, a, 0, 1, "abc");
    EXPECT_EQ(doc_.file_titles().longest_index(), 2);
    doc_.SetCurveTitle(0, "xyz");  // as long: the earlier curve takes it
    EXPECT_EQ(doc_.file_titles().longest_index(), 0);
    doc_.SetCurveTitle(1, "wxyz");
    EXPECT_EQ(doc_.file_titles().longest_index(), 1);
    EXPECT_EQ(doc_.file_titles().longest_length(), 4);
    doc_.SetCurveTitle(1, "");  // the longest gets shorter: found again
    EXPECT_EQ(doc_.file_titles().longest_index(), 0);
    EXPECT_EQ(doc_.file_titles().longest_length(), 3);
    ASSERT_TRUE(doc_.remove_curve(0));
    EXPECT_EQ(doc_.file_titles().longest_index(), 1);
    doc_.SetCurveTitle(1, "");
    EXPECT_EQ(doc_.file_titles().longest_index(), -1);
    EXPECT_EQ(doc_.file_titles().longest_length(), 0);
}

TEST(FileTitleTest, TitlesAreMeasuredInCharactersNotBytes) {
    // "Temperatur Süd" is 14 characters in 15 bytes.
    struct Case {
        std::vector<std::string> titles;
        int index, length;
    };
    const Case cases[] = {
        {{"Druck", "Temperatur Süd"}, 1, 14},
        {{"Temperatur Süd", "Temperatur Ost"}, 0, 14},   // a tie keeps the earlier title
        {{"Temperatur Süd", "Temperatur Nord"}, 1, 15},  // one character longer takes over
    };
    for (const Case& c : cases) {
        CFileTitle titles;
        for (const std::string& t : c.titles)
            titles.add(t);
        EXPECT_EQ(titles.longest_index(), c.index) << c.titles.back();
        EXPECT_EQ(titles.longest_length(), c.length) << c.titles.back();
        titles.set(0, c.titles[0]);  // found again over all titles: the same answer
        EXPECT_EQ(titles.longest_index(), c.index) << c.titles.back();
    }
}

TEST_F(DocumentTest, DataExtentsCoverEveryCurveAndGeneration) {
    CTarvikDoc empty;
    EXPECT_TRUE(empty.all_curves_empty());
    EXPECT_EQ(empty.earliest_x(), std::nullopt);
    EXPECT_EQ(empty.latest_x(), std::nullopt);
    EXPECT_EQ(empty.x_extent(), std::nullopt);
    EXPECT_EQ(empty.y_extent(), std::nullopt);

    const std::string a = file("a.txt", "1 5\n3 -2\n");
    add(doc_, a);
    ASSERT_TRUE(doc_.resize_history(0, 2));
    file("a.txt", "10 0\n");
    doc_.refresh_curve(0);  // older generation: x 1..3, y -2..5; newest: (10, 0)
    add(doc_, file("b.txt", "-4 1\n2 9\n"));
    const std::optional<ValueExtent> x = doc_.x_extent();
    const std::optional<ValueExtent> y = doc_.y_extent();
    ASSERT_TRUE(x && y);
    EXPECT_EQ(x->minimum, -4);
    EXPECT_EQ(x->maximum, 10);
    EXPECT_EQ(y->minimum, -2);
    EXPECT_EQ(y->maximum, 9);
    EXPECT_FALSE(doc_.all_curves_empty());
    EXPECT_EQ(doc_.earliest_x(), -4);
    EXPECT_EQ(doc_.latest_x(), 10);
}

TEST_F(DocumentTest, EmptinessAndXEndsLookAtTheRightStores) {
    // Comment lines only: no point anywhere.
    const std::string a = file("a.txt", "# nothing yet\n");
    add(doc_, a);
    add(doc_, file("b.txt", "\n"));
    EXPECT_TRUE(doc_.all_curves_empty());
    EXPECT_EQ(doc_.earliest_x(), std::nullopt);
    EXPECT_EQ(doc_.latest_x(), std::nullopt);

    // Points only in an older generation: not empty, but no current x ends.
    ASSERT_TRUE(doc_.resize_history(0, 2));
    file("a.txt", "1 1\n");
    doc_.refresh_curve(0);
    file("a.txt", "");
    doc_.refresh_curve(0);
    EXPECT_EQ(doc_.history(0)[0].count, 0);
    EXPECT_FALSE(doc_.all_curves_empty());
    EXPECT_EQ(doc_.earliest_x(), std::nullopt);

    // Gap points at either end do not count as ends.
    file("a.txt", "NaN\n1 5\n3 6\nNaN\n");
    doc_.refresh_curve(0);
    ASSERT_EQ(doc_.history(0)[0].count, 4);
    ASSERT_TRUE(std::isnan(doc_.history(0)[0].x.front()));
    EXPECT_EQ(doc_.earliest_x(), 1.0);
    EXPECT_EQ(doc_.latest_x(), 3.0);
    add(doc_, file("c.txt", "-2 0\n0 0\n"));
    EXPECT_EQ(doc_.earliest_x(), -2.0);
    EXPECT_EQ(doc_.latest_x(), 3.0);
}

TEST_F(DocumentTest, TwentyFilesAtMost) {
    const std::string a = file("a.txt");
    for (int n = 0; n < 19; ++n)
        add(doc_, a);
    EXPECT_TRUE(doc_.check_room_for_curve());
    EXPECT_TRUE(prompts_.prompts().empty());
    add(doc_, a);
    EXPECT_FALSE(doc_.check_room_for_curve());
    ASSERT_EQ(prompts_.prompts().size(), 1u);
    EXPECT_EQ(prompts_.prompts()[0].text, "Too many files");
    EXPECT_EQ(prompts_.prompts()[0].icon, prompt::Icon::Information);
    expect_curve_count(doc_, 20);
}

TEST_F(DocumentTest, HistoryResizeKeepsTheNewestAndTheTablesInStep) {
    add(doc_, file("a.txt"), 0, 1, "", CurveDrawing{rgb(255, 0, 0), DASH, 2, 1});
    for (const int refused : {0, -1, 12})
        EXPECT_FALSE(doc_.resize_history(0, refused)) << refused;
    EXPECT_FALSE(doc_.resize_history(1, 2));
    EXPECT_EQ(doc_.history(0).size(), 1u);

    ASSERT_TRUE(doc_.resize_history(0, 4));  // history size 0 -> 3
    ASSERT_EQ(doc_.history(0).size(), 4u);
    EXPECT_EQ(doc_.history(0)[0].count, 2);
    for (int g = 1; g < 4; ++g)
        EXPECT_EQ(doc_.history(0)[g].count, 0);
    EXPECT_EQ(view_.state().m_Curves.generation_count(0), 4);
    EXPECT_EQ(view_.state().m_Curves.m_Styles[0], (std::vector<LineStyle>(4, DASH)));

    doc_.refresh_curve(0);
    ASSERT_TRUE(doc_.resize_history(0, 1));  // back to 0: the oldest go
    ASSERT_EQ(doc_.history(0).size(), 1u);
    EXPECT_EQ(doc_.history(0)[0].count, 2);
    EXPECT_EQ(view_.state().m_Curves.m_Colours[0], std::vector<Colour>{rgb(255, 0, 0)});
    ASSERT_TRUE(doc_.resize_history(0, 11));  // the history limit, 10
    EXPECT_EQ(doc_.history(0).size(), 11u);
}

}  // namespace
}  // namespace tarvik
