// The new-plot dialog "New Plot Information" (and, in add mode, "New file information:"): the
// data file, its two columns, ranges, precisions and display options. It shows a NewPlotForm.
//     NewPlotDlg dlg(filled_new_plot_values(plot, true), parent);
//     switch (dlg.exec()) { case QDialog::Accepted: ...; case kConfigurationFileResult: ... }
#pragma once

#include <QDialog>
#include <array>

#include "file_choice.h"
#include "new_plot_form.h"
#include "new_plot_run.h"

class QAbstractButton;
class QLineEdit;

namespace tarvik {

class NewPlotDlg : public QDialog {
  public:
    explicit NewPlotDlg(const NewPlotValues& values, QWidget* parent = nullptr,
                        FileChooser chooser = choose_file_to_open);

    // After OK: the values read; after a configuration choice: the chosen file in data_file.
    const NewPlotValues& values() const { return m_Values; }
    NewPlotOutcome outcome() const;
    void accept() override;

  private:
    using Control = NewPlotForm::Control;
    void build_controls();
    void connect_controls();
    void show_form();
    void browse();
    void select_configuration();
    QLineEdit* edit(Control box) const;

    NewPlotForm m_Form;
    NewPlotValues m_Values;
    FileChooser chooser_;
    std::array<QWidget*, NewPlotForm::kControlCount> controls_{};
    bool showing_ = false;
};

// The dialog shown once: how it ended and its values (as given when cancelled).
NewPlotRun run_new_plot_dialog(QWidget* parent, const NewPlotValues& values,
                               FileChooser chooser = choose_file_to_open);

// The document's whole run: "Too many files" for a full plot, the dialog, and the dialog again
// while the data file is missing.
NewPlotRun run_new_plot(QWidget* parent, int curve_count, const NewPlotValues& values,
                        FileChooser chooser = choose_file_to_open);

}  // namespace tarvik
