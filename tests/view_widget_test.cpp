// The plot view widget: its private messages, its context menu's states, and that a tick
// without new data leaves the picture alone.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QTimerEvent>
#include <filesystem>
#include <map>

#include "prompt_recorder.h"
#include "tarvik_doc.h"
#include "tarvik_view.h"
#include "temp_dir.h"
#include "view_events.h"

namespace tarvik {
namespace {

class ViewWidgetTest : public ::testing::Test {
  protected:
    // A plot of one curve from a file holding `data`.
    void open(const std::string& data) {
        StartupRequest& request = StartupRequest::instance();
        request.plot_request_pending = true;
        request.plot_request = PlotRequest{dir_.write("d.txt", data), 0, 1, 0, 10, -1, 1};
        view_.attach(doc_);
        view_.resize(400, 300);
        ASSERT_TRUE(doc_.OnNewDocument());
        request.plot_request_pending = false;
    }
    std::map<QString, QAction*> context_menu() {
        menu_ = view_.make_context_menu();
        std::map<QString, QAction*> actions;
        for (QAction* a : menu_->actions())
            actions[a->text()] = a;
        return actions;
    }

    testing::TempDir dir_;
    testing::PromptRecorder prompts_;
    CTarvikDoc doc_;
    CTarvikView view_;
    std::unique_ptr<QMenu> menu_;
};

TEST_F(ViewWidgetTest, PrivateMessagesChangeTheViewAsTheirRecordsSay) {
    open("0 0\n5 0.5\n");
    LinePropertyChange line;
    line.kind = LinePropertyChange::PointSize;
    line.point_size = 4;
    LinePropertyEvent line_event(line);
    QCoreApplication::sendEvent(&view_, &line_event);
    EXPECT_EQ(view_.state().m_Curves.m_PointSizes[0][0], 4);

    WindowPropertyChange window;
    window.page = WindowPropertyChange::Precision;
    window.x_precision = 4;
    window.y_notation = 1;
    WindowPropertyEvent window_event(window);
    QCoreApplication::sendEvent(&view_, &window_event);
    EXPECT_EQ(view_.state().m_XPrecision, 4);
    EXPECT_EQ(view_.state().m_YFormat, 1);

    MarkLineEvent mark_event(MarkLineChange{rgb(0, 255, 255), 0});
    QCoreApplication::sendEvent(&view_, &mark_event);
    EXPECT_EQ(view_.state().m_Curves.m_Colours[0][0], rgb(0, 255, 255));

    DataUpdatedEvent updated({});
    QCoreApplication::sendEvent(&view_, &updated);
    EXPECT_NE(view_.last_update(), 0);
}

TEST_F(ViewWidgetTest, ContextMenuFollowsFreezeAndUnfreeze) {
    open("0 0\n5 0.5\n");
    auto running = context_menu();
    EXPECT_TRUE(running["&Freeze"]->isEnabled());
    EXPECT_FALSE(running["&Unfreeze"]->isEnabled());
    EXPECT_FALSE(running["Up&date"]->isEnabled());
    EXPECT_NE(view_.state().m_TimerId, 0u);

    running["&Freeze"]->trigger();
    EXPECT_EQ(view_.state().m_TimerId, 0u);  // the timer stopped
    auto frozen = context_menu();
    EXPECT_FALSE(frozen["&Freeze"]->isEnabled());
    EXPECT_TRUE(frozen["&Unfreeze"]->isEnabled());
    EXPECT_TRUE(frozen["Up&date"]->isEnabled());

    frozen["&Unfreeze"]->trigger();
    EXPECT_NE(view_.state().m_TimerId, 0u);
    EXPECT_EQ(doc_.timer_interval(), 1000);
}

TEST_F(ViewWidgetTest, XScrollbarWithoutDataSaysSoAndChangesNothing) {
    open("# nothing yet\n");
    auto menu = context_menu();
    menu["X-scroll&bar"]->trigger();
    ASSERT_EQ(prompts_.prompts().size(), 1u);
    EXPECT_EQ(prompts_.prompts()[0].caption, "Mode-switching error");
    EXPECT_EQ(prompts_.prompts()[0].text, "No data points in file, unable to switch modes");
    EXPECT_FALSE(view_.state().m_XScrollbarMode);
    EXPECT_FALSE(context_menu()["X-scroll&bar"]->isChecked());
}

TEST_F(ViewWidgetTest, XScrollbarOverAnEmptyXRangeSaysSo) {
    open("0 0\n5 0.5\n");
    view_.state().m_XMin = view_.state().m_XMax = 2.0;
    view_.toggle_x_scrollbar();
    ASSERT_EQ(prompts_.prompts().size(), 1u);
    EXPECT_EQ(prompts_.prompts()[0].caption, "Mode-switching error");
    EXPECT_EQ(prompts_.prompts()[0].text,
              "The x range has no span or the window no width, unable to switch modes");
    EXPECT_FALSE(view_.state().m_XScrollbarMode);
}

TEST_F(ViewWidgetTest, TickWithoutNewDataNeitherRedrawsNorSaves) {
    open("0 0\n5 0.5\n");
    const std::string picture = dir_.file("saved.png");
    view_.state().m_SaveFileName = picture;
    view_.state().m_SaveActive = true;
    view_.state().m_LastSaveTime = 0;  // long overdue
    const std::time_t before = view_.last_update();

    QTimerEvent tick(static_cast<int>(view_.state().m_TimerId));
    QCoreApplication::sendEvent(&view_, &tick);
    EXPECT_EQ(view_.last_update(), before);
    EXPECT_FALSE(std::filesystem::exists(picture));

    // With new lines the same tick redraws and saves.
    dir_.append("d.txt", "6 0.7\n");
    QCoreApplication::sendEvent(&view_, &tick);
    EXPECT_EQ(doc_.history(0).front().count, 3);
    EXPECT_TRUE(std::filesystem::exists(picture));
}

}  // namespace
}  // namespace tarvik
