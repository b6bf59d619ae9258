#include "dialog_controls.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

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

void tab_to_checked_radio(const std::vector<QRadioButton*>& group) {
    // Qt moves the tab stop to a radio button when it gets the focus (a click or an arrow key),
    // so only the tab stop at opening and after a check made in code needs setting here.
    const auto place_tab_stop = [group] {
        const bool any = std::any_of(group.begin(), group.end(),
                                     [](const QRadioButton* r) { return r->isChecked(); });
        for (std::size_t i = 0; i < group.size(); ++i) {
            const bool stop = any ? group[i]->isChecked() : i == 0;
            group[i]->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
        }
    };
    place_tab_stop();
    for (QRadioButton* radio : group)
        QObject::connect(radio, &QAbstractButton::toggled, radio, [place_tab_stop](bool checked) {
            if (checked)
                place_tab_stop();
        });
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
