// Real dialogs driven offscreen: typing into boxes, pressing OK or Apply, reading the messages
// and the events a dialog sends to its target.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "free_spin_box.h"
#include "line_property_sheet.h"
#include "mark_dlg.h"
#include "prompt_recorder.h"
#include "select_dlg.h"
#include "string_dlg.h"
#include "ticks_dlg.h"
#include "timer_dlg.h"
#include "view_events.h"
#include "window_properties.h"

namespace tarvik {
namespace {

// Stands in for the plot view: keeps every record sent to it.
class EventRecorder : public QObject {
  public:
    bool event(QEvent* e) override {
        if (e->type() == WindowPropertyEvent::kType)
            windows.push_back(static_cast<WindowPropertyEvent*>(e)->record());
        else if (e->type() == LinePropertyEvent::kType)
            lines.push_back(static_cast<LinePropertyEvent*>(e)->record());
        else if (e->type() == MarkLineEvent::kType)
            marks.push_back(static_cast<MarkLineEvent*>(e)->record());
        else
            return QObject::event(e);
        return true;
    }
    std::vector<WindowPropertyChange> windows;
    std::vector<LinePropertyChange> lines;
    std::vector<MarkLineChange> marks;
};

// The control of that name on the page shown.
template <typename T>
T* control(QWidget* root, const QString& name) {
    for (T* w : root->findChildren<T*>())
        if (w->accessibleName() == name && (!root->isVisible() || w->isVisibleTo(root)))
            return w;
    ADD_FAILURE() << "no control named " << name.toStdString();
    return nullptr;
}

QLineEdit* edit_of(QWidget* root, const QString& name) {
    for (FreeSpinBox* s : root->findChildren<FreeSpinBox*>())
        if (s->accessibleName() == name && s->isVisibleTo(root))
            return s->edit();
    return control<QLineEdit>(root, name);
}

void type_into(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void press(QWidget* dialog, const char* button) {
    control<QPushButton>(dialog, QString::fromUtf8(button))->click();
}

TEST(TicksDialog, AcceptsZeroToFiftyThoughTheArrowsStopAtTwoAndThirty) {
    struct Row {
        const char* typed;
        bool accepted;
    };
    for (const Row row : {Row{"0", true}, Row{"50", true}, Row{"51", false}}) {
        testing::PromptRecorder prompts;
        CTicksDlg dialog({.x = 7, .y = 7});
        dialog.show();
        QLineEdit* x = edit_of(&dialog, "x-ticks:");
        EXPECT_EQ(x->text(), "7");
        type_into(x, row.typed);
        press(&dialog, "OK");
        EXPECT_EQ(dialog.result() == QDialog::Accepted, row.accepted) << row.typed;
        if (row.accepted) {
            EXPECT_EQ(dialog.x(), QString(row.typed).toInt());
            EXPECT_TRUE(prompts.texts().empty());
        } else {
            EXPECT_EQ(prompts.texts(),
                      std::vector<std::string>{"Enter an integer between 0 and 50."});
        }
    }
    CTicksDlg dialog({.x = 29, .y = 3});
    const auto spins = dialog.findChildren<FreeSpinBox*>();
    spins[0]->stepBy(5);
    spins[1]->stepBy(-5);
    EXPECT_EQ(spins[0]->text(), "30");
    EXPECT_EQ(spins[1]->text(), "2");
}

TEST(TicksDialog, EnterPressesOkAndEscapeCancels) {
    testing::PromptRecorder prompts;
    CTicksDlg dialog({.x = 7, .y = 7});
    dialog.show();
    QLineEdit* y = edit_of(&dialog, "y-ticks:");
    type_into(y, "51");
    QTest::keyClick(y, Qt::Key_Return);
    EXPECT_EQ(prompts.texts().size(), 1u);
    type_into(y, "9");
    QTest::keyClick(y, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.y(), 9);

    CTicksDlg cancelled({.x = 7, .y = 7});
    cancelled.show();
    QTest::keyClick(edit_of(&cancelled, "x-ticks:"), Qt::Key_Escape);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_FALSE(cancelled.isVisible());
}

TEST(WindowProperties, TicksPageShowsStoredMinusTwoAndApplyRefusesSixty) {
    testing::PromptRecorder prompts;
    EventRecorder view;
    WindowSettings stored;
    stored.x_ticks = 7;
    CWindowProperties sheet(stored, &view);
    sheet.show();
    sheet.set_active_page(WindowPropertiesForm::Ticks);
    QLineEdit* x = edit_of(&sheet, "x-ticks:");
    EXPECT_EQ(x->text(), "5");

    type_into(x, "60");
    press(&sheet, "Apply");
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Enter an integer between 0 and 50."});
    EXPECT_TRUE(view.windows.empty());

    type_into(x, "5");
    press(&sheet, "Apply");
    ASSERT_EQ(view.windows.size(), 1u);
    EXPECT_EQ(view.windows[0].page, 2);
    EXPECT_EQ(view.windows[0].x_extra_ticks, 5);
    EXPECT_FALSE(control<QPushButton>(&sheet, "Apply")->isEnabled());

    // Tab order: the page's boxes come before the buttons.
    QStringList chain;
    for (QWidget* w = sheet.nextInFocusChain(); w != &sheet; w = w->nextInFocusChain())
        if (!w->accessibleName().isEmpty())
            chain << w->accessibleName();
    EXPECT_LT(chain.indexOf("y-ticks:"), chain.indexOf("OK"));
    EXPECT_LT(chain.indexOf("x-ticks:"), chain.indexOf("y-ticks:"));

    press(&sheet, "OK");
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(sheet.settings().x_ticks, 7);
}

// 13 window widths of x-scrollbar mode give 53 x ticks, shown as 51 on the Ticks page, which
// accepts at most 50: a page the user never opened hands its value through.
TEST(WindowProperties, OkReadsOnlyThePagesTheUserOpened) {
    testing::PromptRecorder prompts;
    EventRecorder view;
    WindowSettings stored;
    stored.x_ticks = 53;
    stored.y_precision = 9;
    CWindowProperties untouched(stored, &view);
    untouched.show();
    press(&untouched, "OK");
    EXPECT_EQ(untouched.result(), QDialog::Accepted);
    EXPECT_EQ(untouched.settings().x_ticks, 53);
    EXPECT_EQ(untouched.settings().y_precision, 9);
    EXPECT_TRUE(prompts.texts().empty());

    CWindowProperties opened(stored, &view);
    opened.show();
    opened.set_active_page(WindowPropertiesForm::Ticks);
    opened.set_active_page(WindowPropertiesForm::XRange);
    press(&opened, "OK");
    EXPECT_NE(opened.result(), QDialog::Accepted);
    EXPECT_EQ(opened.active_page(), WindowPropertiesForm::Ticks);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Enter an integer between 0 and 50."});
}

TEST(WindowProperties, SwapShowsTheTypedLimitsExchanged) {
    EventRecorder view;
    CWindowProperties sheet(WindowSettings{}, &view);
    sheet.show();
    sheet.set_active_page(WindowPropertiesForm::YRange);
    type_into(control<QLineEdit>(&sheet, "y-max:"), "9");
    press(&sheet, "Swap min/max");
    EXPECT_EQ(control<QLineEdit>(&sheet, "y-min:")->text(), "9");
    press(&sheet, "Apply");
    ASSERT_EQ(view.windows.size(), 1u);
    EXPECT_EQ(view.windows[0].page, 1);
    EXPECT_EQ(view.windows[0].y_minimum, 9.0);
    EXPECT_EQ(view.windows[0].y_maximum, 0.0);
}

// Enter on a focused button presses that button; Enter in a box presses OK.
TEST(PropertySheets, EnterPressesTheFocusedButton) {
    EventRecorder view;
    CWindowProperties window(WindowSettings{}, &view);
    window.show();
    window.set_active_page(WindowPropertiesForm::YRange);
    QPushButton* swap = control<QPushButton>(&window, "Swap min/max");
    swap->setFocus();
    QTest::keyClick(swap, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(control<QLineEdit>(&window, "y-min:")->text(), "1");
    QTest::keyClick(control<QLineEdit>(&window, "y-max:"), Qt::Key_Return);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.settings().y.minimum, 1.0);

    const auto pure_red = [](QWidget*, const QColor&) { return std::optional<QColor>(Qt::red); };
    CLinePropertySheet line({0, 0, 0, 1, 0, 1}, 0, &view, nullptr, pure_red);
    line.show();
    QPushButton* colours = control<QPushButton>(&line, "Color dialog...");
    colours->setFocus();
    QTest::keyClick(colours, Qt::Key_Enter);
    EXPECT_TRUE(line.isVisible());
    EXPECT_EQ(edit_of(&line, "Red")->text(), "255");
    QTest::keyClick(edit_of(&line, "Green"), Qt::Key_Enter);
    EXPECT_EQ(line.result(), QDialog::Accepted);
    EXPECT_EQ(line.look().red, 255);
}

TEST(TimerDialog, ListUnlimitedAndRefusedInterval) {
    testing::PromptRecorder prompts;
    CTimerDlg dialog(2500, 10);
    dialog.show();
    auto* combo = dialog.findChild<QComboBox*>();
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    EXPECT_EQ(items, (QStringList{"  25", "   0", "   1", "  10", "  20", " 300"}));
    EXPECT_EQ(combo->currentText(), "  25");

    type_into(combo->lineEdit(), "400");
    press(&dialog, "OK");
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Enter an integer between 0 and 300."});
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    type_into(combo->lineEdit(), "300");
    control<QRadioButton>(&dialog, "Unlimited")->click();
    EXPECT_FALSE(edit_of(&dialog, "Max tries before update:")->isEnabled());
    press(&dialog, "OK");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.max_tries(), -1);
    EXPECT_EQ(dialog.interval_ms(), 30000);
}

TEST(StringDialog, FiftyOneCharactersRefused) {
    testing::PromptRecorder prompts;
    CstringDlg dialog("Enter plot title", 50, "");
    dialog.show();
    type_into(control<QLineEdit>(&dialog, "Enter plot title"), QString(51, u'a'));
    press(&dialog, "OK");
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Enter no more than 50 characters."});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST(LineProperties, SizePagesInvisibleRules) {
    EventRecorder view;
    CLinePropertySheet sheet({0, 0, 0, 0, 0, 0}, 0, &view);
    sheet.show();
    sheet.set_active_page(LinePropertyForm::Width);
    QLineEdit* width = edit_of(&sheet, "Line width");
    EXPECT_TRUE(control<QRadioButton>(&sheet, "Invisible line")->isChecked());
    EXPECT_FALSE(width->isEnabled());
    EXPECT_EQ(width->text(), "0");
    control<QRadioButton>(&sheet, "Visible line")->click();
    EXPECT_TRUE(width->isEnabled());
    EXPECT_EQ(width->text(), "1");

    sheet.set_active_page(LinePropertyForm::PointSize);
    QLineEdit* points = edit_of(&sheet, "Point size");
    EXPECT_EQ(points->text(), "1");
    EXPECT_FALSE(points->isEnabled());
    control<QRadioButton>(&sheet, "Invisible points")->click();
    EXPECT_EQ(points->text(), "2");
    press(&sheet, "Apply");
    ASSERT_EQ(view.lines.size(), 1u);
    EXPECT_EQ(view.lines[0].kind, 3);
    EXPECT_EQ(view.lines[0].point_size, 0);
}

TEST(LineProperties, UntouchedPagesHandStoredValuesThrough) {
    testing::PromptRecorder prompts;
    EventRecorder view;
    // A configuration file may hold a width of 9 and the style without a pen (5).
    CLinePropertySheet sheet({1, 2, 3, 9, 5, 4}, 0, &view);
    sheet.show();
    type_into(edit_of(&sheet, "Red"), "7");
    press(&sheet, "OK");
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(sheet.look().red, 7);
    EXPECT_EQ(sheet.look().width, 9);
    EXPECT_EQ(sheet.look().style, 5);
    EXPECT_EQ(sheet.look().point_size, 4);
    EXPECT_TRUE(prompts.texts().empty());
}

TEST(LineProperties, ColourPageRefusesThreeHundredAndStoresLowByteRed) {
    testing::PromptRecorder prompts;
    EventRecorder view;
    const auto pure_red = [](QWidget*, const QColor&) { return std::optional<QColor>(Qt::red); };
    CLinePropertySheet sheet({0, 0, 0, 1, 0, 1}, 2, &view, nullptr, pure_red);
    sheet.show();
    type_into(edit_of(&sheet, "Red"), "300");
    press(&sheet, "Apply");
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Enter an integer between 0 and 255."});
    EXPECT_TRUE(view.lines.empty());

    press(&sheet, "Color dialog...");
    EXPECT_EQ(edit_of(&sheet, "Red")->text(), "255");
    EXPECT_EQ(edit_of(&sheet, "Green")->text(), "0");

    type_into(edit_of(&sheet, "Red"), "1");
    type_into(edit_of(&sheet, "Green"), "2");
    type_into(edit_of(&sheet, "Blue"), "3");
    press(&sheet, "OK");
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(sheet.colour(), 197121u);
}

TEST(CurveChoice, OneCurveNeedsNoDialog) {
    EXPECT_EQ(choose_curve(nullptr, {{"data.txt", 0, 1}}), 0);
    EXPECT_EQ(curve_list_line({"data.txt", 0, 1}), "data.txt 0-1");
}

TEST(MarkDialog, MarksAndGivesTheColourBackOnDismiss) {
    EventRecorder view;
    CMarkDlg dialog(&view, 4, 0x123456);
    dialog.show();
    EXPECT_FALSE(control<QPushButton>(&dialog, "Unmark")->isEnabled());
    press(&dialog, "Mark");
    press(&dialog, "Dismiss");
    ASSERT_EQ(view.marks.size(), 2u);
    EXPECT_EQ(view.marks[0].colour, 0x00FFFF00u);
    EXPECT_EQ(view.marks[0].curve, 4);
    EXPECT_EQ(view.marks[1].colour, 0x123456u);
}

}  // namespace
}  // namespace tarvik
