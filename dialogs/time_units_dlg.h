// "Select units for real-time x-axis:": seconds, minutes or hours for a plot whose x axis is
// the elapsed time. OK only; Escape or closing the window leaves the unit as it was.
//     if (const auto unit = choose_time_unit(parent)) doc.m_TimeUnit = *unit;
#pragma once

#include <QDialog>
#include <array>
#include <optional>

class QRadioButton;

namespace tarvik {

class CTvTimeUnitsDlg : public QDialog {
  public:
    explicit CTvTimeUnitsDlg(int unit = 0, QWidget* parent = nullptr);

    // 0 seconds, 1 minutes, 2 hours.
    int unit() const;

  private:
    std::array<QRadioButton*, 3> units_;
};

// The chosen unit after OK; nothing when the dialog was closed otherwise.
std::optional<int> choose_time_unit(QWidget* parent);

}  // namespace tarvik
