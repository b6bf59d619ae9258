#include "select_dlg.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "dialog_controls.h"

namespace tarvik {

QString curve_list_line(const CurveListEntry& curve) {
    return QStringLiteral("%1 %2-%3").arg(curve.file).arg(curve.x_column).arg(curve.y_column);
}

QListWidget* curve_list_box(const std::vector<CurveListEntry>& curves, const QString& name) {
    auto* list = named(new QListWidget, name);
    for (const CurveListEntry& curve : curves)
        list->addItem(curve_list_line(curve));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (list->count() > 0)
        list->setCurrentRow(0);
    return list;
}

CSelectDlg::CSelectDlg(const std::vector<CurveListEntry>& curves, QWidget* parent)
    : QDialog(parent) {
    const QString caption = QStringLiteral("Select curve:");
    setWindowTitle(caption);
    list_ = curve_list_box(curves, caption);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(ok_cancel_buttons(this));
}

void CSelectDlg::accept() {
    m_Index = list_->currentRow();
    QDialog::accept();
}

void CSelectDlg::reject() {
    m_Index = -1;
    QDialog::reject();
}

int choose_curve(QWidget* parent, const std::vector<CurveListEntry>& curves) {
    if (curves.size() <= 1)
        return 0;
    CSelectDlg dialog(curves, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.index() : -1;
}

}  // namespace tarvik
