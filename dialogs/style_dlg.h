// The style dialog: the five line styles of the Style page, used when a curve is added.
//     const int style = choose_line_style(parent);  // 0 (solid) when cancelled
#pragma once

#include <QDialog>

class QWidget;

namespace tarvik {

class LineStylePage;

class CStyleDlg : public QDialog {
  public:
    explicit CStyleDlg(int style = 0, QWidget* parent = nullptr);
    // The checked style (0 solid .. 4 dash-dot-dot).
    int style() const;

  private:
    LineStylePage* page_;
};

int choose_line_style(QWidget* parent);

}  // namespace tarvik
