#include "file_update_dlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_controls.h"

namespace tarvik {

CFileUpdateDlg::CFileUpdateDlg(int mode, QWidget* parent) : QDialog(parent), m_Mode(mode) {
    setWindowTitle(QStringLiteral("File Update:"));
    const QString group_text = QStringLiteral("File update options:");
    auto* group = named(new QGroupBox(group_text), group_text);
    auto* group_layout = new QVBoxLayout(group);
    const std::array<QString, 2> texts{QStringLiteral("Full update"),
                                       QStringLiteral("New lines only")};
    for (std::size_t i = 0; i < radios_.size(); ++i) {
        radios_[i] = named(new QRadioButton(texts[i]), texts[i]);
        group_layout->addWidget(radios_[i]);
    }
    if (mode == 0 || mode == 1)
        radios_[static_cast<std::size_t>(mode)]->setChecked(true);
    tab_to_checked_radio({radios_.begin(), radios_.end()});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(ok_cancel_buttons(this));
}

void CFileUpdateDlg::accept() {
    for (std::size_t i = 0; i < radios_.size(); ++i)
        if (radios_[i]->isChecked()) {
            m_Mode = static_cast<int>(i);
            break;
        }
    QDialog::accept();
}

}  // namespace tarvik
