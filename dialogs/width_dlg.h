// The number dialog: one integer from 0 to a maximum, with spin arrows over the same range.
// Used for the line width ("Select line width:"), the point size ("Select point size:") and the
// history size ("Select history size:").
//     CWidthDlg dlg("Select line width:", 5, width, parent);
//     if (dlg.exec() == QDialog::Accepted) width = dlg.value();
#pragma once

#include <QDialog>

namespace tarvik {

class FreeSpinBox;

class CWidthDlg : public QDialog {
  public:
    CWidthDlg(const QString& caption, int maximum, int value, QWidget* parent = nullptr);

    int value() const { return m_Value; }
    void accept() override;

  private:
    FreeSpinBox* box_;
    int m_Maximum;
    int m_Value;
};

}  // namespace tarvik
