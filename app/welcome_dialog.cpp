#include "welcome_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_controls.h"
#include "program_icon.h"

namespace tarvik {

CWelcome::CWelcome(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Welcome to Tarvik"));
    setWindowIcon(program_icon());
    auto* layout = new QVBoxLayout(this);
    const char* const labels[] = {"Start a new plot", "Continue to main menu", "Exit"};
    for (int i = 0; i < 3; ++i) {
        m_Buttons[i] = new QRadioButton(QString::fromLatin1(labels[i]), this);
        m_Buttons[i]->setAccessibleName(m_Buttons[i]->text());
        layout->addWidget(m_Buttons[i]);
    }
    m_Buttons[kStartNewPlot]->setChecked(true);
    m_Buttons[kStartNewPlot]->setFocus();
    tab_to_checked_radio({std::begin(m_Buttons), std::end(m_Buttons)});

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setAccessibleName(ok->text());
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CWelcome::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int CWelcome::ask(QWidget* parent) {
    CWelcome dialog(parent);
    dialog.exec();
    return dialog.choice();
}

void CWelcome::accept() {
    m_Choice = kContinueToMainMenu;
    for (int i = 0; i < 3; ++i) {
        if (m_Buttons[i]->isChecked())
            m_Choice = i;
    }
    QDialog::accept();
}

void CWelcome::reject() {
    m_Choice = kContinueToMainMenu;
    QDialog::reject();
}

}  // namespace tarvik
