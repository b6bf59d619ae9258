#include "ticks_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "dialog_controls.h"
#include "dialog_exchange.h"
#include "free_spin_box.h"
#include "plot_defaults.h"

namespace tarvik {

CTicksDlg::CTicksDlg(const TicksDlgSetup& setup, QWidget* parent)
    : QDialog(parent), m_X(setup.x), m_Y(setup.y) {
    setWindowTitle(setup.caption);
    x_box_ = new FreeSpinBox(setup.spin_low, setup.spin_high);
    y_box_ = new FreeSpinBox(setup.spin_low, setup.spin_high);
    x_box_->set_value(setup.x);
    y_box_->set_value(setup.y);
    auto* form = new QFormLayout;
    form->addRow(label_for(x_box_, setup.x_label), x_box_);
    form->addRow(label_for(y_box_, setup.y_label), y_box_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ok_cancel_buttons(this));
}

void CTicksDlg::accept() {
    const int highest = PlotLimits::instance().maximum_extra_ticks;
    DialogExchange dx;
    const int x = dx.integer(x_box_, 0, highest);
    const int y = dx.integer(y_box_, 0, highest);
    if (!dx.ok())
        return;
    m_X = x;
    m_Y = y;
    QDialog::accept();
}

}  // namespace tarvik
