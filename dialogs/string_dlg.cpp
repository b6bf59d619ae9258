#include "string_dlg.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialog_controls.h"
#include "dialog_exchange.h"

namespace tarvik {

CstringDlg::CstringDlg(const QString& caption, int maximum_length, const QString& text,
                       QWidget* parent)
    : QDialog(parent), m_MaxLength(maximum_length), m_Text(text) {
    setWindowTitle(caption);
    // No length limit on the box itself: a longer text (pasted, or set before) reaches the
    // check on OK and its message.
    box_ = named(new QLineEdit(text), caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box_);
    layout->addWidget(ok_cancel_buttons(this));
    box_->setFocus(Qt::OtherFocusReason);
}

void CstringDlg::accept() {
    DialogExchange dx;
    const QString text = dx.text(box_, m_MaxLength);
    if (!dx.ok())
        return;
    m_Text = text;
    QDialog::accept();
}

}  // namespace tarvik
