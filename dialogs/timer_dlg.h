// The timer dialog "Set Timer:": the interval in tenths of a second (an editable list, 0 to
// 300; 0 stops the timer) and the tries before a forced update, 1 to 100 or unlimited (-1).
//     CTimerDlg dlg(interval_ms, max_tries, parent);
//     if (dlg.exec() == QDialog::Accepted) { set(dlg.interval_ms(), dlg.max_tries()); }
#pragma once

#include <QDialog>

#include "timer_form.h"

class QComboBox;
class QRadioButton;

namespace tarvik {

class FreeSpinBox;

class CTimerDlg : public QDialog {
  public:
    CTimerDlg(std::int32_t interval_ms, std::int32_t max_tries, QWidget* parent = nullptr);

    std::int32_t interval_ms() const { return m_Result.interval_ms; }
    std::int32_t max_tries() const { return m_Result.max_tries; }  // -1: unlimited
    void accept() override;

  private:
    void show_tries();

    TimerForm m_Form;
    TimerForm::Result m_Result;
    QComboBox* interval_;
    QRadioButton* unlimited_;
    QRadioButton* limited_;
    FreeSpinBox* tries_;
};

}  // namespace tarvik
