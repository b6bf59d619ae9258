#include "timer_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_controls.h"
#include "dialog_exchange.h"
#include "free_spin_box.h"

namespace tarvik {

CTimerDlg::CTimerDlg(std::int32_t interval_ms, std::int32_t max_tries, QWidget* parent)
    : QDialog(parent), m_Form(interval_ms, max_tries), m_Result{interval_ms, max_tries} {
    setWindowTitle(QStringLiteral("Set Timer:"));
    interval_ = new QComboBox;
    interval_->setEditable(true);
    interval_->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& entry : m_Form.interval_list())
        interval_->addItem(QString::fromStdString(entry));
    interval_->setCurrentIndex(0);

    auto* interval_row = new QHBoxLayout;
    interval_row->addWidget(label_for(interval_, QStringLiteral("Interval:")));
    interval_row->addWidget(interval_);
    interval_row->addWidget(new QLabel(QStringLiteral("1/10 seconds")));

    const QString group_text = QStringLiteral("Max tries before update:");
    auto* group = named(new QGroupBox(group_text), group_text);
    unlimited_ = named(new QRadioButton(QStringLiteral("Unlimited")), QStringLiteral("Unlimited"));
    limited_ = named(new QRadioButton, QStringLiteral("Limited"));
    tries_ =
        named(new FreeSpinBox(TimerForm::lowest_tries(), TimerForm::highest_tries()), group_text);
    auto* group_layout = new QGridLayout(group);
    group_layout->addWidget(unlimited_, 0, 0, 1, 2);
    group_layout->addWidget(limited_, 1, 0);
    group_layout->addWidget(tries_, 1, 1);
    (m_Form.unlimited() ? unlimited_ : limited_)->setChecked(true);
    tab_to_checked_radio({unlimited_, limited_});
    show_tries();

    // On a change of radio only, so clicking the checked one keeps what was typed.
    connect(unlimited_, &QRadioButton::toggled, this, [this](bool checked) {
        if (!checked)
            return;
        m_Form.click_unlimited();
        show_tries();
    });
    connect(limited_, &QRadioButton::toggled, this, [this](bool checked) {
        if (!checked)
            return;
        m_Form.click_limited();
        show_tries();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(interval_row);
    layout->addWidget(new QLabel(QStringLiteral("Note: setting interval to 0 disable timer")));
    layout->addWidget(group);
    layout->addWidget(ok_cancel_buttons(this));
}

void CTimerDlg::show_tries() {
    tries_->set_value(m_Form.tries_box());
    tries_->setEnabled(m_Form.tries_enabled());
}

void CTimerDlg::accept() {
    DialogExchange dx;
    const int tries =
        dx.positive_integer(tries_, TimerForm::lowest_tries(), TimerForm::highest_tries());
    const long long tenths = TimerForm::interval_tenths(interval_->currentText().toStdString());
    if (dx.ok() && (tenths < 0 || tenths > TimerForm::highest_interval_tenths()))
        dx.fail(interval_, enter_integer_between_message(0, TimerForm::highest_interval_tenths()));
    if (!dx.ok())
        return;
    m_Result = m_Form.result(static_cast<int>(tenths), tries);
    QDialog::accept();
}

}  // namespace tarvik
