#include "width_dlg.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "dialog_controls.h"
#include "dialog_exchange.h"
#include "free_spin_box.h"

namespace tarvik {

CWidthDlg::CWidthDlg(const QString& caption, int maximum, int value, QWidget* parent)
    : QDialog(parent), m_Maximum(maximum), m_Value(value) {
    setWindowTitle(caption);
    box_ = named(new FreeSpinBox(0, maximum), caption);
    box_->set_value(value);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box_);
    layout->addWidget(ok_cancel_buttons(this));
}

void CWidthDlg::accept() {
    DialogExchange dx;
    const int value = dx.integer(box_, 0, m_Maximum);
    if (!dx.ok())
        return;
    m_Value = value;
    QDialog::accept();
}

}  // namespace tarvik
