#include "window_property_pages.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <vector>

#include "dialog_controls.h"
#include "dialog_exchange.h"
#include "free_spin_box.h"
#include "window_properties_form.h"

namespace tarvik {

namespace {

FreeSpinBox* spin(int low, int high, int value, const std::function<void()>& modified) {
    auto* box = new FreeSpinBox(low, high);
    box->set_value(value);
    QObject::connect(box->edit(), &QLineEdit::textChanged, box, [modified] { modified(); });
    return box;
}

// "Fixed" and "Scientific" in a group; clicking one stores its index. The axis ("X" or "Y")
// tells the two groups' buttons apart for a screen reader.
QGroupBox* format_group(const QString& axis, std::int32_t& notation,
                        const std::function<void()>& modified) {
    const QString title = axis + QStringLiteral(" Format type");
    auto* group = named(new QGroupBox(title), title);
    auto* layout = new QHBoxLayout(group);
    auto* buttons = new QButtonGroup(group);
    const QString texts[] = {QStringLiteral("Fixed"), QStringLiteral("Scientific")};
    const QString names[] = {axis + QStringLiteral(" fixed"), axis + QStringLiteral(" scientific")};
    std::vector<QRadioButton*> radios;
    for (int i = 0; i < 2; ++i) {
        auto* radio = named(new QRadioButton(texts[i]), names[i]);
        radio->setChecked(notation == i);
        buttons->addButton(radio, i);
        layout->addWidget(radio);
        radios.push_back(radio);
    }
    tab_to_checked_radio(radios);
    QObject::connect(buttons, &QButtonGroup::idClicked, group, [&notation, modified](int id) {
        notation = id;
        modified();
    });
    return group;
}

}  // namespace

TicksPage::TicksPage(WindowPropertiesForm& form, std::function<void()> modified) : form_(form) {
    const int high = WindowPropertiesForm::highest_extra_ticks();
    x_ = spin(0, high, form.x_extra_ticks, modified);
    y_ = spin(0, high, form.y_extra_ticks, modified);
    auto* layout = new QFormLayout(this);
    layout->addRow(label_for(x_, QStringLiteral("x-ticks:")), x_);
    layout->addRow(label_for(y_, QStringLiteral("y-ticks:")), y_);
}

bool TicksPage::read(DialogExchange& dx) {
    const int high = WindowPropertiesForm::highest_extra_ticks();
    const int x = dx.integer(x_, 0, high);
    const int y = dx.integer(y_, 0, high);
    if (dx.ok()) {
        form_.x_extra_ticks = x;
        form_.y_extra_ticks = y;
    }
    return dx.ok();
}

PrecisionPage::PrecisionPage(WindowPropertiesForm& form, std::function<void()> modified)
    : form_(form) {
    const int low = WindowPropertiesForm::lowest_precision();
    const int high = WindowPropertiesForm::highest_precision();
    x_ = spin(low, high, form.x_precision, modified);
    y_ = spin(low, high, form.y_precision, modified);
    auto* boxes = new QFormLayout;
    boxes->addRow(label_for(x_, QStringLiteral("x-precision:")), x_);
    boxes->addRow(label_for(y_, QStringLiteral("y-precision:")), y_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(format_group(QStringLiteral("X"), form.x_notation, modified));
    layout->addWidget(format_group(QStringLiteral("Y"), form.y_notation, modified));
}

bool PrecisionPage::read(DialogExchange& dx) {
    const int low = WindowPropertiesForm::lowest_precision();
    const int high = WindowPropertiesForm::highest_precision();
    const int x = dx.integer(x_, low, high);
    const int y = dx.integer(y_, low, high);
    if (dx.ok()) {
        form_.x_precision = x;
        form_.y_precision = y;
    }
    return dx.ok();
}

}  // namespace tarvik
