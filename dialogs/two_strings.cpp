#include "two_strings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialog_controls.h"
#include "dialog_exchange.h"
#include "prompt.h"

namespace tarvik {

CTwoStrings::CTwoStrings(const QString& caption, int maximum_length, const QString& first,
                         const QString& second, QWidget* parent)
    : QDialog(parent), m_MaxLength(maximum_length), m_Strings{first, second} {
    setWindowTitle(caption);
    auto* form = new QFormLayout;
    const std::array<QString, 2> labels{QStringLiteral("X label:"), QStringLiteral("Y label:")};
    for (int i = 0; i < 2; ++i) {
        boxes_[i] = new QLineEdit(m_Strings[i]);
        form->addRow(label_for(boxes_[i], labels[i]), boxes_[i]);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ok_cancel_buttons(this));
}

int CTwoStrings::checked_index(int index) const {
    if (index == 0 || index == 1)
        return index;
    prompt::show("Incorrect string number " + std::to_string(index), prompt::kApplicationTitle,
                 prompt::Icon::Error, prompt::Buttons::Ok);
    return 0;
}

QString CTwoStrings::string(int index) const {
    return m_Strings[checked_index(index)];
}

void CTwoStrings::set_string(int index, const QString& text) {
    const int i = checked_index(index);
    m_Strings[i] = text;
    boxes_[i]->setText(text);
}

void CTwoStrings::accept() {
    DialogExchange dx;
    const QString first = dx.text(boxes_[0], m_MaxLength);
    const QString second = dx.text(boxes_[1], m_MaxLength);
    if (!dx.ok())
        return;
    m_Strings = {first, second};
    QDialog::accept();
}

}  // namespace tarvik
