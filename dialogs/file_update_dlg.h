// The update mode of one curve, "File Update:": 0 "Full update", 1 "New lines only".
//     CFileUpdateDlg dlg(mode, parent);
//     if (dlg.exec() == QDialog::Accepted) mode = dlg.mode();
#pragma once

#include <QDialog>
#include <array>

class QRadioButton;

namespace tarvik {

class CFileUpdateDlg : public QDialog {
  public:
    explicit CFileUpdateDlg(int mode, QWidget* parent = nullptr);

    int mode() const { return m_Mode; }
    void accept() override;

  private:
    std::array<QRadioButton*, 2> radios_{};
    int m_Mode;
};

}  // namespace tarvik
