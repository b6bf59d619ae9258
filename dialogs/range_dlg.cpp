#include "range_dlg.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "dialog_controls.h"
#include "dialog_exchange.h"
#include "range_editor.h"

namespace tarvik {

namespace {
RangeValues unchecked(RangeValues values) {
    values.automatic = false;
    return values;
}
}  // namespace

CRangeDlg::CRangeDlg(const QString& caption, const RangeLabels& labels, const RangeValues& values,
                     QWidget* parent)
    : QDialog(parent), m_Form(unchecked(values)) {
    setWindowTitle(caption);
    editor_ = new RangeEditor(m_Form, labels);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(editor_);
    layout->addWidget(ok_cancel_buttons(this));
}

void CRangeDlg::accept() {
    DialogExchange dx;
    if (editor_->read(dx))
        QDialog::accept();
}

CModX::CModX(const RangeValues& values, QWidget* parent)
    : CRangeDlg(QStringLiteral("X-range:"), {QStringLiteral("x-min:"), QStringLiteral("x-max:")},
                values, parent) {}

CModY::CModY(const RangeValues& values, QWidget* parent)
    : CRangeDlg(QStringLiteral("Y-range:"), {QStringLiteral("y-min:"), QStringLiteral("y-max:")},
                values, parent) {}

}  // namespace tarvik
