// The text dialog: one line of text of at most a given number of characters (plot title,
// curve title). The box has the focus when the dialog opens.
//     CstringDlg dlg("Enter plot title", 50, title, parent);
//     if (dlg.exec() == QDialog::Accepted) title = dlg.text();
#pragma once

#include <QDialog>

class QLineEdit;

namespace tarvik {

class CstringDlg : public QDialog {
  public:
    CstringDlg(const QString& caption, int maximum_length, const QString& text,
               QWidget* parent = nullptr);

    QString text() const { return m_Text; }
    void accept() override;

  private:
    QLineEdit* box_;
    int m_MaxLength;
    QString m_Text;
};

}  // namespace tarvik
