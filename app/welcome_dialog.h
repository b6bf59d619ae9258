// The welcome dialog shown when the program starts without arguments: start a new plot, go on
// to the empty main window, or leave. There is no Cancel; Escape or closing the window counts
// as "Continue to main menu".
#pragma once

#include <QDialog>

class QRadioButton;

namespace tarvik {

class CWelcome : public QDialog {
    Q_OBJECT

  public:
    enum Choice { kStartNewPlot = 0, kContinueToMainMenu = 1, kExit = 2 };

    explicit CWelcome(QWidget* parent = nullptr);

    // The choice the dialog ended with (kContinueToMainMenu until it has ended).
    int choice() const { return m_Choice; }

    // Shows the dialog modally and returns the choice.
    static int ask(QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

  private:
    QRadioButton* m_Buttons[3] = {};
    int m_Choice = kContinueToMainMenu;
};

}  // namespace tarvik
