// The curve list "Curve list:": one line per curve, an OK button only; nothing is returned.
//     CCurveListDlg(curves, parent).exec();
#pragma once

#include <QDialog>
#include <vector>

#include "select_dlg.h"

namespace tarvik {

class CCurveListDlg : public QDialog {
  public:
    explicit CCurveListDlg(const std::vector<CurveListEntry>& curves, QWidget* parent = nullptr);
};

}  // namespace tarvik
