#include "time_units_dlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_controls.h"

namespace tarvik {

CTvTimeUnitsDlg::CTvTimeUnitsDlg(int unit, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Select units for real-time x-axis:"));
    const QString group_text = QStringLiteral("Time units");
    auto* group = named(new QGroupBox(group_text), group_text);
    auto* group_layout = new QVBoxLayout(group);
    const char* const labels[] = {"Seconds", "Minutes", "Hours"};
    for (std::size_t i = 0; i < units_.size(); ++i) {
        const QString label = QString::fromUtf8(labels[i]);
        units_[i] = named(new QRadioButton(label), label);
        group_layout->addWidget(units_[i]);
    }
    units_[unit >= 0 && unit < 3 ? static_cast<std::size_t>(unit) : 0]->setChecked(true);
    tab_to_checked_radio({units_.begin(), units_.end()});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(ok_button(this));
}

int CTvTimeUnitsDlg::unit() const {
    for (std::size_t i = 0; i < units_.size(); ++i)
        if (units_[i]->isChecked())
            return static_cast<int>(i);
    return 0;
}

std::optional<int> choose_time_unit(QWidget* parent) {
    CTvTimeUnitsDlg dialog(0, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.unit();
}

}  // namespace tarvik
