// The About box: the program icon, the version and build date, two fixed lines and OK.
#pragma once

#include <QDialog>

namespace tarvik {

class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace tarvik
