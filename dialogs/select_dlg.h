// Curve selection "Select curve:": one line per curve ("data.txt 0-1"), the first selected.
//     const int curve = choose_curve(parent, curves);  // -1: cancelled
#pragma once

#include <QDialog>
#include <vector>

class QListWidget;

namespace tarvik {

struct CurveListEntry {
    QString file;
    int x_column = 0;  // -1: elapsed time
    int y_column = 1;
};

// The file name, a blank, the x column, "-", the y column.
QString curve_list_line(const CurveListEntry& curve);
// A list box filled with those lines, wide enough to scroll to the end of the widest.
QListWidget* curve_list_box(const std::vector<CurveListEntry>& curves, const QString& name);

class CSelectDlg : public QDialog {
  public:
    explicit CSelectDlg(const std::vector<CurveListEntry>& curves, QWidget* parent = nullptr);

    // The chosen curve after OK; -1 after Cancel.
    int index() const { return m_Index; }
    void accept() override;
    void reject() override;

  private:
    QListWidget* list_;
    int m_Index = -1;
};

// With at most one curve, curve 0 without a dialog; otherwise the dialog's answer.
int choose_curve(QWidget* parent, const std::vector<CurveListEntry>& curves);

}  // namespace tarvik
