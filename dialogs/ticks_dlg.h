// The two-number dialog: two integers whose arrows step within given bounds while OK accepts
// 0 to the maximum extra ticks (50). Used for "Ticks:" (tick positions, arrows 2 to 30) and
// "Set x & y precision:" (arrows 1 to 4).
//     CTicksDlg dlg({"Ticks:", "x-ticks:", "y-ticks:", x_ticks, y_ticks}, parent);
//     if (dlg.exec() == QDialog::Accepted) { x_ticks = dlg.x(); y_ticks = dlg.y(); }
#pragma once

#include <QDialog>

namespace tarvik {

class FreeSpinBox;

struct TicksDlgSetup {
    QString caption = QStringLiteral("Ticks:");
    QString x_label = QStringLiteral("x-ticks:");
    QString y_label = QStringLiteral("y-ticks:");
    int x = 0;
    int y = 0;
    int spin_low = 2;
    int spin_high = 30;
};

class CTicksDlg : public QDialog {
  public:
    explicit CTicksDlg(const TicksDlgSetup& setup, QWidget* parent = nullptr);

    int x() const { return m_X; }
    int y() const { return m_Y; }
    void accept() override;

  private:
    FreeSpinBox* x_box_;
    FreeSpinBox* y_box_;
    int m_X;
    int m_Y;
};

}  // namespace tarvik
