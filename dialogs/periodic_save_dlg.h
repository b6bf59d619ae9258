// The periodic-saving settings dialog "periodic saving:": the interval in minutes (0 to 60;
// 0 stops saving), the file and its format (PNG or Bitmap). It shows a PeriodicSaveForm.
// "Browse..." takes any file name: the file is normally still to be written.
//     const auto next = run_periodic_save_settings(current, [&](const PeriodicSaveValues& v) {
//         return run_periodic_save_dialog(parent, v);
//     });
#pragma once

#include <QDialog>
#include <optional>

#include "file_choice.h"
#include "periodic_save_form.h"

class QLineEdit;
class QRadioButton;

namespace tarvik {

class FreeSpinBox;

class CPeridicSave : public QDialog {
  public:
    explicit CPeridicSave(const PeriodicSaveValues& values, QWidget* parent = nullptr,
                          FileChooser chooser = choose_file_to_write);

    // The values after OK.
    const PeriodicSaveValues& values() const { return m_Form.stored(); }
    void accept() override;

  private:
    void show_stored();
    void click_format(std::int32_t type);
    void browse();

    PeriodicSaveForm m_Form;
    FileChooser chooser_;
    FreeSpinBox* interval_;
    QLineEdit* file_;
    QRadioButton* png_;
    QRadioButton* bitmap_;
};

// The dialog shown once: its values after OK, nothing otherwise.
std::optional<PeriodicSaveValues> run_periodic_save_dialog(
    QWidget* parent, const PeriodicSaveValues& values, FileChooser chooser = choose_file_to_write);

}  // namespace tarvik
