// The view's dialog commands end to end: each opens its real dialog filled from the plot, and
// what is typed there and confirmed reaches the plot.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <cmath>
#include <cstdint>
#include <functional>

#include "free_spin_box.h"
#include "prompt_recorder.h"
#include "tarvik_doc.h"
#include "tarvik_view.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

// The box labelled `name` in the dialog that is open.
QLineEdit* box(QWidget* dialog, const QString& name) {
    for (FreeSpinBox* spin : dialog->findChildren<FreeSpinBox*>())
        if (spin->accessibleName() == name)
            return spin->edit();
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
        if (edit->accessibleName() == name)
            return edit;
    ADD_FAILURE() << "no box " << name.toStdString();
    return nullptr;
}

// Answers the next modal dialog: `edit` fills it in, then OK is pressed.
void answer_next_dialog(std::function<void(QDialog*)> edit) {
    QTimer::singleShot(0, [edit] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        edit(dialog);
        dialog->accept();
    });
}

// Closes the next modal dialog with Cancel.
void dismiss_next_dialog() {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->reject();
    });
}

class ViewDialogCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartupRequest& request = StartupRequest::instance();
        request.plot_request_pending = true;
        request.plot_request = PlotRequest{dir_.write("d.txt", "0 0\n5 0.5\n"), 0, 1, 0, 10, -1, 1};
        view_.attach(doc_);
        ASSERT_TRUE(doc_.OnNewDocument());
        request.plot_request_pending = false;
    }

    testing::TempDir dir_;
    testing::PromptRecorder prompts_;
    CTarvikDoc doc_;
    CTarvikView view_;
};

TEST_F(ViewDialogCommandsTest, TicksTitleAndLabels) {
    answer_next_dialog([](QDialog* d) {
        EXPECT_EQ(box(d, "x-ticks:")->text(), "5");
        box(d, "x-ticks:")->setText("7");
    });
    view_.edit_ticks();
    EXPECT_EQ(view_.state().m_XTicks, 7);

    answer_next_dialog([](QDialog* d) { d->findChild<QLineEdit*>()->setText("Süd"); });
    view_.edit_plot_title();
    EXPECT_EQ(view_.state().m_Title, "Süd");

    answer_next_dialog([](QDialog* d) {
        box(d, "X label:")->setText("t");
        box(d, "Y label:")->setText("V");
    });
    view_.edit_labels();
    EXPECT_EQ(view_.state().m_XLabel, "t");
    EXPECT_EQ(view_.state().m_YLabel, "V");
}

TEST_F(ViewDialogCommandsTest, WindowPropertiesShowTicksLessTwoAndStoreThemPlusTwo) {
    view_.state().m_XTicks = 7;
    answer_next_dialog([](QDialog* d) {
        QLineEdit* x_ticks = nullptr;
        for (FreeSpinBox* spin : d->findChildren<FreeSpinBox*>())
            if (spin->edit()->text() == "5" && !x_ticks)
                x_ticks = spin->edit();
        ASSERT_NE(x_ticks, nullptr);  // 7 stored, 5 shown
        x_ticks->setText("1");
    });
    view_.edit_window_properties();
    EXPECT_EQ(view_.state().m_XTicks, 3);
}

TEST_F(ViewDialogCommandsTest, TimerSetsIntervalAndTriesAndRestartsTheCount) {
    view_.state().m_TickCounter = 3;
    answer_next_dialog([](QDialog* d) {
        for (QRadioButton* r : d->findChildren<QRadioButton*>())
            if (r->accessibleName() != "Unlimited")
                r->click();
        box(d, "Max tries before update:")->setText("4");
    });
    view_.set_timer_settings();
    EXPECT_EQ(view_.state().m_MaxTries, 4u);
    EXPECT_EQ(view_.state().m_TickCounter, 0u);
    EXPECT_EQ(doc_.timer_interval(), 1000);
}

TEST_F(ViewDialogCommandsTest, TimerSetWhileFrozenKeepsTheTimerStopped) {
    view_.freeze();
    QString shown;
    answer_next_dialog([&](QDialog* d) {
        auto* interval = d->findChild<QComboBox*>();
        shown = interval->currentText();
        interval->setEditText("25");
    });
    view_.set_timer_settings();
    EXPECT_EQ(shown.toStdString(), "  10");  // the interval Unfreeze restores, not 0
    EXPECT_TRUE(view_.state().m_Frozen);
    EXPECT_EQ(view_.state().m_TimerId, 0u);
    view_.unfreeze();
    EXPECT_EQ(doc_.timer_interval(), 2500);
}

TEST_F(ViewDialogCommandsTest, FileUpdateAndCurveTitleForTheOnlyCurveNeedNoChooser) {
    answer_next_dialog([](QDialog* d) {
        for (QRadioButton* r : d->findChildren<QRadioButton*>())
            if (r->text().contains("New lines"))
                r->click();
    });
    view_.edit_file_update();
    EXPECT_EQ(doc_.add_only(0), 1);

    answer_next_dialog([](QDialog* d) { d->findChild<QLineEdit*>()->setText("sine"); });
    view_.edit_curve_title();
    EXPECT_EQ(doc_.curve_title(0), "sine");
}

// A configuration file or a message may leave any value in the plot; each dialog still opens
// on it and closes again, and Cancel leaves the values as they were.
TEST_F(ViewDialogCommandsTest, DialogsOpenOnHostileStoredValues) {
    PlotViewState& s = view_.state();
    s.m_XTicks = INT32_MIN;
    s.m_YTicks = INT32_MAX;
    s.m_XPrecision = INT32_MAX;
    s.m_YPrecision = INT32_MIN;
    s.m_FontSize = INT32_MAX;
    s.m_XMin = -INFINITY;
    s.m_XMax = NAN;
    s.m_Curves.set_width(0, 32767);
    s.m_Curves.set_point_size(0, -32768);
    const std::function<void()> commands[] = {
        [this] { view_.edit_window_properties(); },
        [this] { view_.edit_ticks(); },
        [this] { view_.edit_precision(); },
        [this] { view_.edit_x_range(); },
        [this] { view_.choose_font(); },
        [this] { view_.edit_line_properties(); },
        [this] { view_.set_timer_settings(); },
    };
    for (const auto& command : commands) {
        dismiss_next_dialog();
        command();
    }
    EXPECT_EQ(s.m_XTicks, INT32_MIN);
    EXPECT_EQ(s.m_FontSize, INT32_MAX);
    EXPECT_EQ(s.m_Curves.m_Widths[0][0], 32767);
}

}  // namespace
}  // namespace tarvik
