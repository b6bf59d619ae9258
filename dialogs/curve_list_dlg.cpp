#include "curve_list_dlg.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "dialog_controls.h"

namespace tarvik {

CCurveListDlg::CCurveListDlg(const std::vector<CurveListEntry>& curves, QWidget* parent)
    : QDialog(parent) {
    const QString caption = QStringLiteral("Curve list:");
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(curve_list_box(curves, caption));
    layout->addWidget(ok_button(this));
}

}  // namespace tarvik
