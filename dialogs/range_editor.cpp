#include "range_editor.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialog_controls.h"
#include "dialog_exchange.h"

namespace tarvik {

RangeEditor::RangeEditor(RangeForm& form, const RangeLabels& labels, QWidget* parent)
    : QWidget(parent), form_(form) {
    minimum_ = new QLineEdit;
    maximum_ = new QLineEdit;
    automatic_ = named(new QCheckBox(QStringLiteral("Auto")), QStringLiteral("Auto"));
    auto* layout = new QFormLayout(this);
    layout->addRow(label_for(minimum_, labels.minimum), minimum_);
    layout->addRow(label_for(maximum_, labels.maximum), maximum_);
    layout->addRow(automatic_);
    if (labels.swap_button) {
        const QString text = QStringLiteral("Swap min/max");
        auto* swap = named(new QPushButton(text), text);
        layout->addRow(swap);
        // The limits as the user sees them are swapped, so typed values are not lost.
        connect(swap, &QPushButton::clicked, this, [this] {
            DialogExchange dx;
            if (!read(dx))
                return;
            form_.swap_limits();
            show_form();
            mark_modified();
        });
    }
    show_form();
    connect(minimum_, &QLineEdit::textEdited, this, [this] { mark_modified(); });
    connect(maximum_, &QLineEdit::textEdited, this, [this] { mark_modified(); });
    connect(automatic_, &QCheckBox::clicked, this, [this](bool checked) {
        form_.set_automatic(checked);
        minimum_->setEnabled(form_.limits_enabled());
        maximum_->setEnabled(form_.limits_enabled());
        mark_modified();
    });
}

void RangeEditor::show_form() {
    show_number(minimum_, form_.values().minimum);
    show_number(maximum_, form_.values().maximum);
    automatic_->setChecked(form_.values().automatic);
    minimum_->setEnabled(form_.limits_enabled());
    maximum_->setEnabled(form_.limits_enabled());
}

void RangeEditor::mark_modified() {
    form_.set_modified(true);
    if (modified_)
        modified_();
}

bool RangeEditor::read(DialogExchange& dx) {
    if (form_.values().automatic)
        return dx.ok();
    const double minimum = dx.number(minimum_);
    const double maximum = dx.number(maximum_);
    if (dx.ok())
        form_.set_limits(minimum, maximum);
    return dx.ok();
}

}  // namespace tarvik
