// The two-text dialog: "X label:" and "Y label:", each of at most a given number of characters.
// Texts are read and written by index, 0 the first and 1 the second; any other index shows
// "Incorrect string number " with the index and serves index 0.
//     CTwoStrings dlg("Enter X & Y labels", 15, x_label, y_label, parent);
//     if (dlg.exec() == QDialog::Accepted) { x = dlg.string(0); y = dlg.string(1); }
#pragma once

#include <QDialog>
#include <array>

class QLineEdit;

namespace tarvik {

class CTwoStrings : public QDialog {
  public:
    CTwoStrings(const QString& caption, int maximum_length, const QString& first,
                const QString& second, QWidget* parent = nullptr);

    QString string(int index) const;
    void set_string(int index, const QString& text);
    void accept() override;

  private:
    int checked_index(int index) const;

    std::array<QLineEdit*, 2> boxes_{};
    int m_MaxLength;
    std::array<QString, 2> m_Strings;
};

}  // namespace tarvik
