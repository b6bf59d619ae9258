#include "style_dlg.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "dialog_controls.h"
#include "line_property_pages.h"

namespace tarvik {

CStyleDlg::CStyleDlg(int style, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Select line style:"));
    page_ = new LineStylePage(style);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page_);
    layout->addWidget(ok_cancel_buttons(this));
}

int CStyleDlg::style() const {
    return page_->style();
}

int choose_line_style(QWidget* parent) {
    CStyleDlg dialog(0, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.style() : 0;
}

}  // namespace tarvik
