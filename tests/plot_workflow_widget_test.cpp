// The plot workflow through the real windows: start-up opening configuration files before plot
// requests, and a plot built, changed and saved through the real dialogs, then loaded again.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include "app_settings.h"
#include "child_frame.h"
#include "document_builders.h"
#include "free_spin_box.h"
#include "headless_view.h"
#include "load_configuration.h"
#include "main_frame.h"
#include "prompt_recorder.h"
#include "tarvik_app.h"
#include "tarvik_doc.h"
#include "tarvik_view.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

using testing::PromptRecorder;
using testing::TempDir;

// Answers the modal dialogs as they open, one step each, in order.
class DialogDriver {
  public:
    using Step = std::function<void(QDialog&)>;
    explicit DialogDriver(std::deque<Step> steps) : steps_(std::move(steps)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start(5);
    }
    bool finished() const { return steps_.empty(); }

  private:
    void answer() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || steps_.empty() || dialog->property("answered").toBool())
            return;
        dialog->setProperty("answered", true);
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step(*dialog);
    }
    std::deque<Step> steps_;
    QTimer timer_;
};

QLineEdit* box(QWidget* root, const char* name) {
    for (FreeSpinBox* s : root->findChildren<FreeSpinBox*>())
        if (s->accessibleName() == QString::fromUtf8(name))
            return s->edit();
    for (QLineEdit* e : root->findChildren<QLineEdit*>())
        if (e->accessibleName() == QString::fromUtf8(name))
            return e;
    ADD_FAILURE() << "no box " << name;
    return nullptr;
}

void press_ok(QDialog& dialog) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == "OK" || b->accessibleName() == "OK")
            return b->click();
    dialog.accept();
}

DialogDriver::Step new_plot_step(const std::string& file, const char* y_column) {
    return [file, y_column](QDialog& d) {
        box(&d, "File selection:")->setText(QString::fromStdString(file));
        box(&d, "y-col:")->setText(y_column);
        press_ok(d);
    };
}
DialogDriver::Step colour_step(QColor colour) {
    return [colour](QDialog& d) {
        static_cast<QColorDialog&>(d).setCurrentColor(colour);
        d.accept();
    };
}
void accept(QDialog& d) {
    d.accept();
}

ConfigurationValues saved_form(const CTarvikDoc& doc, const PlotViewState& view) {
    ConfigurationValues v = configuration_values(doc, view, false);
    v.timer_interval = 0;  // one plot runs its timer, the other only has its start interval
    // An automatic range is kept as last worked out: the first plot's y range still spans the
    // curve that was removed, the loaded one is worked out from the remaining curve.
    v.y_minimum = v.y_maximum = 0;
    return v;
}

TEST(PlotWorkflow, BuildChangeSaveAndLoadThroughTheDialogs) {
    TempDir dir;
    const std::string a = dir.write("a.txt", "1 10 100\n2 20 200\n3 15 300\n");
    const std::string b = dir.write("b.txt", "0 5 -5\n4 6 -6\n");
    PromptRecorder prompts;
    CMainFrame frame;
    install_window_builders(&frame);

    CChildFrame* plot = nullptr;
    {
        DialogDriver driver({new_plot_step(a, "1"), colour_step(Qt::red), accept});
        plot = frame.open_new_plot();
        EXPECT_TRUE(driver.finished());
    }
    ASSERT_NE(plot, nullptr);
    CTarvikView& view = plot->view();
    {
        DialogDriver driver({new_plot_step(b, "2"), colour_step(Qt::blue), accept});
        view.add_file();
        EXPECT_TRUE(driver.finished());
    }
    ASSERT_EQ(plot->document().curve_count(), 2);
    {
        DialogDriver driver({[](QDialog& d) {
            d.findChild<QListWidget*>()->setCurrentRow(0);
            press_ok(d);
        }});
        view.remove_file();
        EXPECT_TRUE(driver.finished());
    }
    const CTarvikDoc& doc = plot->document();
    ASSERT_EQ(doc.curve_count(), 1);
    EXPECT_EQ(doc.file_name(0), b);
    EXPECT_EQ(doc.y_column(0), 2);
    EXPECT_EQ(view.state().m_Curves.m_Colours[0][0], rgb(0, 0, 255));
    EXPECT_EQ(plot->windowTitle().toStdString(), doc.window_title());

    const std::string saved = dir.file("plot.xml");
    ASSERT_TRUE(frame.save_configuration_to(QString::fromStdString(saved)));
    EXPECT_EQ(recent_files().value(0).toStdString(), saved);

    testing::HeadlessView headless;
    CTarvikDoc loaded(&headless);
    ASSERT_TRUE(LoadConfiguration(loaded, saved));
    EXPECT_EQ(configuration_text(saved_form(loaded, headless.state())),
              configuration_text(saved_form(doc, view.state())));
    EXPECT_TRUE(prompts.texts().empty());
}

// A plot opened before its data arrive, with automatic ranges asked for in the dialog.
TEST(PlotWorkflow, FollowDataIsRememberedForNewPlotsAndFitsDataThatArriveLater) {
    TempDir dir;
    const std::string data = dir.write("e.txt", "# nothing yet\n");
    PromptRecorder prompts;
    CMainFrame frame;
    install_window_builders(&frame);
    const auto open_plot = [&] {
        DialogDriver driver({new_plot_step(data, "1"), colour_step(Qt::red), accept});
        CChildFrame* plot = frame.open_new_plot();
        EXPECT_TRUE(driver.finished());
        return plot;
    };

    CChildFrame* first = open_plot();
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->view().state().m_FollowData);
    EXPECT_FALSE(first->view().state().m_AutoX);  // given up for want of data
    QAction* follow = nullptr;
    for (QAction* a : frame.findChildren<QAction*>())
        if (a->text() == "F&ollow data")
            follow = a;
    ASSERT_NE(follow, nullptr);
    follow->trigger();
    EXPECT_TRUE(first->view().state().m_FollowData);
    EXPECT_TRUE(follow_data_for_new_plots());

    CChildFrame* second = open_plot();
    ASSERT_NE(second, nullptr);
    const PlotViewState& state = second->view().state();
    EXPECT_TRUE(state.m_FollowData);
    EXPECT_TRUE(state.m_AutoX && state.m_AutoY);  // kept until the data come
    dir.append("e.txt", "100 5\n200 7\n");
    second->view().update_now();
    EXPECT_LT(state.m_XMin, 100);
    EXPECT_GT(state.m_XMax, 200);
    EXPECT_LT(state.m_YMin, 5);
    EXPECT_GT(state.m_YMax, 7);
    frame.update_menus();
    EXPECT_TRUE(follow->isChecked());
    set_follow_data_for_new_plots(false);
}

TEST(PlotWorkflow, StartupOpensConfigurationsFirstAndDropsAFailedOne) {
    TempDir dir;
    const std::string data = dir.write("d.txt", "1 2 3\n4 5 6\n");
    ConfigurationValues c;
    c.curves.assign(2, CurveValues{data, 0, 1, "", 0, 0, 0, 0, 1, 1, false, 1});
    std::string error;
    const std::string good = dir.file("good.xml");
    ASSERT_TRUE(save_configuration(good, c, error));
    c.curves[1].file = dir.file("gone.txt");
    const std::string bad = dir.file("bad.xml");
    ASSERT_TRUE(save_configuration(bad, c, error));

    PromptRecorder prompts;
    CTarvikApp app;
    StartupPlan plan;
    plan.configurations = {bad, good};
    plan.plot_requests = {PlotRequest{data, 0, 2, 0, 1, 0, 1}};
    ASSERT_TRUE(app.InitInstance(true, plan));
    const std::vector<CChildFrame*> windows = app.main_frame()->plot_windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0]->document().curve_count(), 2);
    EXPECT_EQ(windows[1]->document().y_column(0), 2);
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"File " + dir.file("gone.txt") + " not found"});
}

}  // namespace
}  // namespace tarvik
