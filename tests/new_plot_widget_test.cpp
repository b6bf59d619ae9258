// The new-plot, time-units and periodic-saving dialogs driven offscreen: typing, clicking, the
// framework's messages, and what each dialog ends with.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "free_spin_box.h"
#include "new_plot_dlg.h"
#include "periodic_save_dlg.h"
#include "prompt_recorder.h"
#include "temp_dir.h"
#include "time_units_dlg.h"

namespace tarvik {
namespace {

template <typename T>
T* find(QWidget* root, const char* name) {
    for (T* w : root->findChildren<T*>())
        if (w->accessibleName() == QString::fromUtf8(name))
            return w;
    ADD_FAILURE() << "no control named " << name;
    return nullptr;
}

QLineEdit* box(QWidget* root, const char* name) {
    for (FreeSpinBox* s : root->findChildren<FreeSpinBox*>())
        if (s->accessibleName() == QString::fromUtf8(name))
            return s->edit();
    return find<QLineEdit>(root, name);
}

void type_into(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

// Answers every file dialog with `path`, keeping the filters it was asked with.
struct FakeChooser {
    QString path;
    std::vector<std::vector<FileFilter>> asked;
    FileChooser chooser() {
        return [this](QWidget*, const std::vector<FileFilter>& filters) {
            asked.push_back(filters);
            return path;
        };
    }
};

TEST(NewPlotDialog, TypedValuesAreValidatedAndYielded) {
    testing::PromptRecorder prompts;
    FakeChooser files{"/data/run.gp", {}};
    NewPlotDlg dialog(filled_new_plot_values(NewPlotSource{}, true), nullptr, files.chooser());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "New Plot Information");
    EXPECT_EQ(box(&dialog, "File selection:")->text(), "data.txt");
    EXPECT_EQ(dialog.focusWidget(), box(&dialog, "File selection:"));
    EXPECT_EQ(box(&dialog, "File selection:")->selectedText(), "data.txt");
    EXPECT_TRUE(find<QRadioButton>(&dialog, "Data file")->isChecked());
    EXPECT_FALSE(find<QPushButton>(&dialog, "Select Configuration File (XML)...")->isEnabled());

    struct Row {
        const char* field;
        const char* typed;
        const char* message;
    };
    const Row refused[] = {{"x-col:", "1.5", "Enter an integer."},
                           {"x-min:", "abc", "Enter a number."},
                           {"x-precision", "7", "Enter an integer between 1 and 6."},
                           {"y-precision", "0", "Enter an integer between 1 and 6."}};
    for (const Row& row : refused) {
        QLineEdit* field = box(&dialog, row.field);
        const QString before = field->text();
        type_into(field, row.typed);
        find<QPushButton>(&dialog, "OK")->click();
        EXPECT_EQ(prompts.texts().back(), row.message) << row.field;
        EXPECT_TRUE(dialog.isVisible());
        type_into(field, before);
    }

    // The arrows stay within 1 to 6 and -1 to 100.
    find<FreeSpinBox>(&dialog, "x-precision")->stepBy(10);
    EXPECT_EQ(box(&dialog, "x-precision")->text(), "6");
    find<FreeSpinBox>(&dialog, "x-precision")->stepBy(-10);
    EXPECT_EQ(box(&dialog, "x-precision")->text(), "1");
    find<FreeSpinBox>(&dialog, "x-col:")->stepBy(-5);
    EXPECT_EQ(box(&dialog, "x-col:")->text(), "-1");
    find<QCheckBox>(&dialog, "real-time x-axis")->click();
    EXPECT_EQ(box(&dialog, "x-col:")->text(), "-1");
    EXPECT_EQ(box(&dialog, "y-col:")->text(), "0");
    EXPECT_TRUE(find<QCheckBox>(&dialog, "Add only")->isChecked());
    find<QPushButton>(&dialog, "Browse...")->click();
    EXPECT_EQ(files.asked.back(),
              (std::vector<FileFilter>{{"Text", "*.txt"},
                                       {"GnuPlot", "*.gp"},
                                       {"Data files", "*.csv *.tsv *.dat *.log *.txt"},
                                       {"All files", "*"}}));
    EXPECT_FALSE(box(&dialog, "x-col:")->isEnabled());
    type_into(box(&dialog, "x-precision"), "6");
    type_into(box(&dialog, "Curve title:"), "sine");
    QTest::keyClick(box(&dialog, "Curve title:"), Qt::Key_Return);  // Enter presses OK

    EXPECT_EQ(dialog.outcome(), NewPlotOutcome::Ok);
    const NewPlotValues& v = dialog.values();
    EXPECT_EQ(v.data_file, "/data/run.gp");
    EXPECT_EQ(v.x_column, -1);
    EXPECT_EQ(v.y_column, 0);
    EXPECT_EQ(v.x_precision, 6);
    EXPECT_EQ(v.curve_title, "sine");
    EXPECT_TRUE(v.add_only);
    EXPECT_EQ(prompts.texts().size(), std::size(refused));
}

TEST(NewPlotDialog, ConfigurationChoiceEndsAtOnceWhateverTheBoxesHold) {
    testing::PromptRecorder prompts;
    FakeChooser files{"/plots/a.xml", {}};
    NewPlotDlg dialog(filled_new_plot_values(NewPlotSource{}, true), nullptr, files.chooser());
    dialog.show();
    type_into(box(&dialog, "x-min:"), "not a number");
    find<QRadioButton>(&dialog, "Use configuration file")->click();
    EXPECT_FALSE(box(&dialog, "File selection:")->isEnabled());
    find<QPushButton>(&dialog, "Select Configuration File (XML)...")->click();
    EXPECT_EQ(dialog.result(), kConfigurationFileResult);
    EXPECT_EQ(dialog.outcome(), NewPlotOutcome::ConfigurationFile);
    EXPECT_EQ(dialog.values().data_file, "/plots/a.xml");
    EXPECT_EQ(files.asked.back(), (std::vector<FileFilter>{{"XML", "*.xml"}}));
    EXPECT_TRUE(prompts.texts().empty());
}

TEST(NewPlotDialog, AddModeCaptionAndTabOrder) {
    NewPlotSource plot;
    plot.last_file = "last.txt";
    NewPlotDlg dialog(filled_new_plot_values(plot, false));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "New file information:");
    EXPECT_FALSE(box(&dialog, "x-min:")->isEnabled());
    EXPECT_FALSE(box(&dialog, "y-precision")->isEnabled());
    EXPECT_TRUE(box(&dialog, "y-col:")->isEnabled());

    QStringList chain;
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && !w->accessibleName().isEmpty())
            chain << w->accessibleName();
    const QStringList reading{"Data file", "Browse...",   "x-col:",       "y-col:", "x-min:",
                              "y-max:",    "x-precision", "Curve title:", "OK",     "Cancel"};
    EXPECT_EQ(chain.indexOf(reading[0]), 0);
    for (qsizetype i = 1; i < reading.size(); ++i)
        EXPECT_LT(chain.indexOf(reading[i - 1]), chain.indexOf(reading[i]))
            << reading[i].toStdString();
}

TEST(TimeUnitsDialog, ThreeChoicesAndEscape) {
    for (const auto& [label, unit] :
         {std::pair{"Seconds", 0}, std::pair{"Minutes", 1}, std::pair{"Hours", 2}}) {
        CTvTimeUnitsDlg dialog;
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Select units for real-time x-axis:");
        EXPECT_EQ(dialog.unit(), 0);
        find<QRadioButton>(&dialog, label)->click();
        find<QPushButton>(&dialog, "OK")->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.unit(), unit);
    }
    // Escape while the dialog runs closes it as not OK.
    QTimer::singleShot(0, [] {
        if (QWidget* shown = QApplication::activeModalWidget())
            QTest::keyClick(shown, Qt::Key_Escape);
    });
    EXPECT_EQ(choose_time_unit(nullptr), std::nullopt);
}

TEST(PeriodicSaveDialog, FormatClicksRenameAndOkValidatesTheInterval) {
    testing::PromptRecorder prompts;
    FakeChooser files{"/pics/chosen.png", {}};
    CPeridicSave dialog({5, kSaveBmp, "plot.bmp"}, nullptr, files.chooser());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "periodic saving:");
    EXPECT_TRUE(find<QRadioButton>(&dialog, "Bitmap")->isChecked());
    EXPECT_EQ(box(&dialog, "Interval:")->text(), "5");

    // A format click keeps what was typed and renames its extension; the checked one changes
    // nothing, and a bad interval stays for OK to refuse.
    type_into(box(&dialog, "Interval:"), "9");
    type_into(box(&dialog, "File:"), "typed.bmp");
    find<QRadioButton>(&dialog, "PNG")->click();
    EXPECT_EQ(box(&dialog, "File:")->text(), "typed.png");
    EXPECT_EQ(box(&dialog, "Interval:")->text(), "9");
    type_into(box(&dialog, "File:"), "again.bmp");
    find<QRadioButton>(&dialog, "PNG")->click();
    EXPECT_EQ(box(&dialog, "File:")->text(), "again.bmp");
    type_into(box(&dialog, "Interval:"), "99");
    find<QRadioButton>(&dialog, "Bitmap")->click();
    EXPECT_EQ(box(&dialog, "File:")->text(), "again.bmp");
    EXPECT_EQ(box(&dialog, "Interval:")->text(), "99");
    find<QRadioButton>(&dialog, "PNG")->click();
    EXPECT_EQ(box(&dialog, "File:")->text(), "again.png");
    find<QPushButton>(&dialog, "Browse...")->click();
    EXPECT_EQ(files.asked.back(),
              (std::vector<FileFilter>{{"PNG-Portable Network Graphics", "*.png"}}));
    EXPECT_EQ(box(&dialog, "File:")->text(), "/pics/chosen.png");

    struct Row {
        const char* typed;
        const char* message;  // nullptr: accepted
    };
    for (const Row row : {Row{"61", "Enter an integer between 0 and 60."},
                          Row{"-1", "Enter an integer between 0 and 60."},
                          Row{"ten", "Enter an integer."}, Row{"60", nullptr}}) {
        type_into(box(&dialog, "Interval:"), row.typed);
        find<QPushButton>(&dialog, "OK")->click();
        if (row.message) {
            EXPECT_EQ(prompts.texts().back(), row.message) << row.typed;
        }
    }
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values(), (PeriodicSaveValues{60, kSavePng, "/pics/chosen.png"}));
    EXPECT_EQ(prompts.texts().size(), 3u);
}

}  // namespace
}  // namespace tarvik

namespace tarvik {
namespace {

// The target of periodic saving is normally still to be written: "Browse..." takes a new name,
// and an existing one without asking about replacing it.
TEST(PeriodicSaveDialog, BrowseTakesAnyFileName) {
    testing::TempDir dir;
    const std::string existing = dir.write("old.png", "x");
    for (const std::string& name : {dir.file("new.png"), existing}) {
        CPeridicSave dialog({5, kSavePng, "plot.png"});
        dialog.show();
        QTimer::singleShot(0, [&] {
            auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(files, nullptr);
            EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
            files->selectFile(QString::fromStdString(name));
            QMetaObject::invokeMethod(files, "accept");
        });
        find<QPushButton>(&dialog, "Browse...")->click();
        EXPECT_EQ(box(&dialog, "File:")->text().toStdString(), name);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // no question came up
    }
}

}  // namespace
}  // namespace tarvik
