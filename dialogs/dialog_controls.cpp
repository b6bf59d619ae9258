#include "dialog_controls.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

namespace tarvik {

QString plain_label(const QString& label) {
    QString out;
    out.reserve(label.size());
    for (qsizetype i = 0; i < label.size(); ++i) {
        if (label[i] == u'&' && i + 1 < label.size())
            ++i;
        out += label[i];
    }
    return out;
}

QLabel* label_for(QWidget* box, const QString& text) {
    auto* label = new QLabel(text);
    label->setBuddy(box);
    box->setAccessibleName(plain_label(text));
    return label;
}

namespace {
QDialogButtonBox* buttons(QDialog* dialog, QDialogButtonBox::StandardButtons which) {
    auto* box = new QDialogButtonBox(which, dialog);
    if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) {
        named(ok, QStringLiteral("OK"));
        ok->setDefault(true);
    }
    if (QPushButton* cancel = box->button(QDialogButtonBox::Cancel))
        named(cancel, QStringLiteral("Cancel"));
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}
}  // namespace

QDialogButtonBox* ok_cancel_buttons(QDialog* dialog) {
    return buttons(dialog, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
}

QDialogButtonBox* ok_button(QDialog* dialog) {
    return buttons(dialog, QDialogButtonBox::Ok);
}

}  // namespace tarvik
