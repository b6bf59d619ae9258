// The dialogs by keyboard and screen reader: Tab enters every radio group at its checked button,
// and every control carries a name of its own among those shown with it.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>
#include <set>

#include "curve_list_dlg.h"
#include "file_update_dlg.h"
#include "line_property_sheet.h"
#include "mark_dlg.h"
#include "new_plot_dlg.h"
#include "periodic_save_dlg.h"
#include "range_dlg.h"
#include "select_dlg.h"
#include "string_dlg.h"
#include "style_dlg.h"
#include "ticks_dlg.h"
#include "time_units_dlg.h"
#include "timer_dlg.h"
#include "two_strings.h"
#include "width_dlg.h"
#include "window_properties.h"

namespace tarvik {
namespace {

struct Shown {
    const char* what;
    std::function<std::unique_ptr<QDialog>()> make;
    int page = -1;  // a property sheet's page to show
};

const std::vector<CurveListEntry> kCurves{{"a.txt", 0, 1}, {"b.txt", 0, 2}};

// Every dialog of the program, opened on values that check a radio button other than the first.
std::vector<Shown> every_dialog() {
    WindowSettings window;
    window.x_notation = 1;
    window.y_notation = 1;
    const LineLook look{1, 2, 3, 2, 3, 0};
    std::vector<Shown> all = {
        {"width", [] { return std::make_unique<CWidthDlg>("Select line width:", 5, 2); }},
        {"title", [] { return std::make_unique<CstringDlg>("Enter plot title", 50, "t"); }},
        {"labels",
         [] { return std::make_unique<CTwoStrings>("Enter X & Y labels", 15, "x", "y"); }},
        {"x range", [] { return std::make_unique<CModX>(RangeValues{}); }},
        {"y range", [] { return std::make_unique<CModY>(RangeValues{}); }},
        {"ticks", [] { return std::make_unique<CTicksDlg>(TicksDlgSetup{}); }},
        {"timer", [] { return std::make_unique<CTimerDlg>(1000, 5); }},
        {"select", [] { return std::make_unique<CSelectDlg>(kCurves); }},
        {"curve list", [] { return std::make_unique<CCurveListDlg>(kCurves); }},
        {"mark", [] { return std::make_unique<CMarkDlg>(nullptr, 0, 0u); }},
        {"style", [] { return std::make_unique<CStyleDlg>(3); }},
        {"file update", [] { return std::make_unique<CFileUpdateDlg>(1); }},
        {"time units", [] { return std::make_unique<CTvTimeUnitsDlg>(2); }},
        {"new plot",
         [] {
             return std::make_unique<NewPlotDlg>(filled_new_plot_values(NewPlotSource{}, true));
         }},
        {"periodic saving",
         [] {
             return std::make_unique<CPeridicSave>(PeriodicSaveValues{5, kSaveBmp, "p.bmp"});
         }},
    };
    for (int page = 0; page < WindowPropertiesForm::kPages; ++page)
        all.push_back({"window properties",
                       [window] { return std::make_unique<CWindowProperties>(window, nullptr); },
                       page});
    for (int page = 0; page < LinePropertyForm::kPages; ++page)
        all.push_back({"line properties",
                       [look] { return std::make_unique<CLinePropertySheet>(look, 0, nullptr); },
                       page});
    return all;
}

std::unique_ptr<QDialog> open(const Shown& shown) {
    std::unique_ptr<QDialog> dialog = shown.make();
    if (shown.page >= 0)
        static_cast<PropertySheet&>(*dialog).set_active_page(shown.page);
    dialog->show();
    dialog->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get())) << shown.what;
    return dialog;
}

// The widgets Tab visits, once round from where the focus starts.
std::set<QWidget*> tab_round(QDialog& dialog) {
    std::set<QWidget*> visited;
    for (int i = 0; i < 60; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !visited.insert(focus).second)
            break;
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_FALSE(visited.empty()) << dialog.windowTitle().toStdString();
    return visited;
}

TEST(DialogKeyboard, TabEntersEachRadioGroupAtItsCheckedButton) {
    for (const Shown& shown : every_dialog()) {
        const std::unique_ptr<QDialog> dialog = open(shown);
        const std::set<QWidget*> visited = tab_round(*dialog);
        for (QRadioButton* radio : dialog->findChildren<QRadioButton*>()) {
            if (!radio->isVisibleTo(dialog.get()) || !radio->isEnabled())
                continue;
            const bool group_checked = [&] {
                for (QRadioButton* other : radio->parentWidget()->findChildren<QRadioButton*>())
                    if (other->isChecked())
                        return true;
                return false;
            }();
            const std::string where = std::string(shown.what) + " page " +
                                      std::to_string(shown.page) + ": " +
                                      radio->accessibleName().toStdString();
            if (radio->isChecked() || !group_checked)
                EXPECT_TRUE(visited.count(radio)) << where << " is never reached by Tab";
            else
                EXPECT_FALSE(visited.count(radio)) << where << " is reached by Tab, unchecked";
        }
    }
}

// The controls a user reaches: buttons, boxes, lists.
bool is_control(QWidget* w) {
    if (qobject_cast<QLineEdit*>(w))
        return !qobject_cast<QAbstractSpinBox*>(w->parentWidget()) &&
               !qobject_cast<QComboBox*>(w->parentWidget());
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w);
}

TEST(DialogKeyboard, EveryControlHasANameOfItsOwn) {
    for (const Shown& shown : every_dialog()) {
        const std::unique_ptr<QDialog> dialog = open(shown);
        std::set<QString> names;
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (!is_control(w) || !w->isVisibleTo(dialog.get()))
                continue;
            const std::string where = std::string(shown.what) + " page " +
                                      std::to_string(shown.page) + ": a " +
                                      w->metaObject()->className();
            const QString name = w->accessibleName();
            EXPECT_FALSE(name.isEmpty()) << where << " without a name";
            EXPECT_TRUE(name.isEmpty() || names.insert(name).second)
                << where << " shares the name " << name.toStdString();
        }
    }
}

}  // namespace
}  // namespace tarvik
