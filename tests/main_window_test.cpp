// The main window as a user meets it: the About box, the close questions on Exit, and the
// caption that stays as set while a maximised plot changes its title.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "about_box.h"
#include "app_identity.h"
#include "child_frame.h"
#include "document_builders.h"
#include "main_frame.h"
#include "prompt_recorder.h"
#include "startup_request.h"
#include "tarvik_doc.h"
#include "tarvik_view.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

// The action of the main menu bar reached by a menu's text, then the entry's text.
QAction* menu_entry(QMainWindow& window, const QString& menu, const QString& entry) {
    for (QAction* top : window.menuBar()->actions()) {
        if (top->text() != menu || !top->menu())
            continue;
        for (QAction* a : top->menu()->actions())
            if (a->text() == entry)
                return a;
    }
    ADD_FAILURE() << "no entry " << entry.toStdString() << " in " << menu.toStdString();
    return nullptr;
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        install_window_builders(&frame_);
        frame_.set_caption(QString::fromStdString(main_caption()));
    }
    // A plot of one curve, maximised as every plot window is.
    CChildFrame* open_plot(const char* name) {
        StartupRequest& request = StartupRequest::instance();
        request.plot_request_pending = true;
        request.plot_request = PlotRequest{dir_.write(name, "0 0\n1 1\n"), 0, 1, 0, 1, 0, 1};
        CChildFrame* frame = frame_.open_new_plot();
        request.plot_request_pending = false;
        return frame;
    }

    testing::TempDir dir_;
    testing::PromptRecorder prompts_;
    CMainFrame frame_;
};

TEST_F(MainWindowTest, AboutShowsTheAboutBox) {
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->windowTitle();
        box->accept();
    });
    menu_entry(frame_, "&Help", "&About Tarvik...")->trigger();
    EXPECT_EQ(shown.toStdString(), "About Tarvik");
}

TEST_F(MainWindowTest, ExitAsksEveryPlotAndANoKeepsThemAll) {
    frame_.show();
    ASSERT_NE(open_plot("a.txt"), nullptr);
    ASSERT_NE(open_plot("b.txt"), nullptr);
    QAction* exit = menu_entry(frame_, "&File", "E&xit");

    prompts_.answer_next(prompt::Button::Yes);
    prompts_.answer_next(prompt::Button::No);
    exit->trigger();
    QApplication::processEvents();
    ASSERT_EQ(prompts_.prompts().size(), 2u);
    EXPECT_EQ(prompts_.prompts()[0].text.rfind("Are you sure you want to close window \n", 0), 0u);
    EXPECT_NE(prompts_.prompts()[0].text.find("a.txt 0-1"), std::string::npos);
    EXPECT_NE(prompts_.prompts()[1].text.find("b.txt 0-1"), std::string::npos);
    EXPECT_TRUE(frame_.isVisible());
    EXPECT_EQ(frame_.plot_windows().size(), 2u);

    prompts_.answer_next(prompt::Button::Yes);
    prompts_.answer_next(prompt::Button::Yes);
    exit->trigger();
    QApplication::processEvents();
    EXPECT_EQ(prompts_.prompts().size(), 4u);  // each asked once more, none twice
    EXPECT_FALSE(frame_.isVisible());
    EXPECT_TRUE(frame_.plot_windows().empty());
}

TEST_F(MainWindowTest, CaptionStaysWhileAMaximisedPlotRenewsItsTitle) {
    frame_.show();
    const QString caption = frame_.windowTitle();
    EXPECT_TRUE(caption.startsWith("   Tarvik(0.68.0.0)"));
    CChildFrame* plot = open_plot("a.txt");
    ASSERT_NE(plot, nullptr);
    ASSERT_TRUE(plot->isMaximized());
    EXPECT_EQ(frame_.windowTitle().toStdString(), caption.toStdString());
    plot->setWindowTitle("a title that changes");
    plot->view().update_now();
    EXPECT_EQ(frame_.windowTitle().toStdString(), caption.toStdString());
}

}  // namespace
}  // namespace tarvik
