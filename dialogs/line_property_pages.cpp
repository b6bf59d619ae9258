#include "line_property_pages.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_controls.h"
#include "dialog_exchange.h"
#include "free_spin_box.h"
#include "line_property_form.h"

namespace tarvik {

ColourPage::ColourPage(LinePropertyForm& form, std::function<void()> modified,
                       ColourChooser chooser)
    : form_(form), modified_(std::move(modified)), chooser_(std::move(chooser)) {
    const QString labels[] = {QStringLiteral("Red"), QStringLiteral("Green"),
                              QStringLiteral("Blue")};
    auto* boxes = new QFormLayout;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i] = new FreeSpinBox(0, LinePropertyForm::highest_colour_component());
        boxes->addRow(label_for(boxes_[i], labels[i]), boxes_[i]);
    }
    show_form();
    for (FreeSpinBox* box : boxes_)
        connect(box->edit(), &QLineEdit::textChanged, this, [this] { modified_(); });
    const QString text = QStringLiteral("Color dialog...");
    auto* dialog_button = named(new QPushButton(text), text);
    connect(dialog_button, &QPushButton::clicked, this, [this] { choose(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(dialog_button);
}

void ColourPage::show_form() {
    boxes_[0]->set_value(form_.red);
    boxes_[1]->set_value(form_.green);
    boxes_[2]->set_value(form_.blue);
}

void ColourPage::choose() {
    // The colour as the boxes show it, where they hold valid components.
    const int top = LinePropertyForm::highest_colour_component();
    const std::int32_t stored[] = {form_.red, form_.green, form_.blue};
    int shown[3];
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        shown[i] = parse_integer(boxes_[i]->text(), 0, top).value.value_or(stored[i]);
    const QColor current(shown[0], shown[1], shown[2]);
    const std::optional<QColor> chosen = chooser_(this, current);
    if (!chosen || chosen->rgb() == current.rgb())
        return;
    form_.red = chosen->red();
    form_.green = chosen->green();
    form_.blue = chosen->blue();
    show_form();
    modified_();
}

bool ColourPage::read(DialogExchange& dx) {
    const int top = LinePropertyForm::highest_colour_component();
    const int red = dx.integer(boxes_[0], 0, top);
    const int green = dx.integer(boxes_[1], 0, top);
    const int blue = dx.integer(boxes_[2], 0, top);
    if (dx.ok()) {
        form_.red = red;
        form_.green = green;
        form_.blue = blue;
    }
    return dx.ok();
}

SizePage::SizePage(SizePageForm& form, std::function<void()> modified)
    : form_(form), modified_(std::move(modified)) {
    // The visible texts are the same on both pages; the names say which size they set.
    const bool width = form.kind() == SizePageForm::Kind::LineWidth;
    invisible_ =
        named(new QRadioButton(QStringLiteral("Invisible")),
              width ? QStringLiteral("Invisible line") : QStringLiteral("Invisible points"));
    size_ = named(new QRadioButton(QStringLiteral("Size:")),
                  width ? QStringLiteral("Visible line") : QStringLiteral("Visible points"));
    box_ = named(new FreeSpinBox(1, form.highest()),
                 width ? QStringLiteral("Line width") : QStringLiteral("Point size"));
    (form.invisible() ? invisible_ : size_)->setChecked(true);
    box_->setEnabled(form.box_enabled());
    box_->set_value(form.box_text_on_opening());
    connect(box_->edit(), &QLineEdit::textChanged, this, [this] { modified_(); });
    // "Invisible" acts on every click (again on a checked one: the box value is reset);
    // "Size:" only when it becomes checked, so a typed size stays.
    connect(invisible_, &QRadioButton::clicked, this, [this] {
        form_.click_invisible();
        box_->set_value(form_.box_value());
        box_->setEnabled(false);
        modified_();
    });
    connect(size_, &QRadioButton::toggled, this, [this](bool checked) {
        if (!checked)
            return;
        form_.click_size();
        box_->setEnabled(true);
        box_->set_value(form_.box_value());
    });
    auto* layout = new QGridLayout(this);
    layout->addWidget(invisible_, 0, 0, 1, 2);
    layout->addWidget(size_, 1, 0);
    layout->addWidget(box_, 1, 1);
    layout->setRowStretch(2, 1);
    tab_to_checked_radio({invisible_, size_});
}

bool SizePage::read(DialogExchange& dx) {
    // An invisible size needs no box value: the disabled box could not be corrected anyway.
    if (form_.invisible())
        return dx.ok();
    const int value = dx.integer(box_, 1, form_.highest());
    if (dx.ok())
        form_.set_box_value(value);
    return dx.ok();
}

LineStylePage::LineStylePage(int style, std::function<void()> modified) {
    // The texts draw the styles; the names say them.
    const QString texts[] = {QStringLiteral("__"), QStringLiteral("_ _"), QStringLiteral(". . ."),
                             QStringLiteral("_._"), QStringLiteral("_ . .")};
    const QString names[] = {QStringLiteral("Solid"), QStringLiteral("Dashed"),
                             QStringLiteral("Dotted"), QStringLiteral("Dash-dot"),
                             QStringLiteral("Dash-dot-dot")};
    const QString title = QStringLiteral("Style");
    auto* group = named(new QGroupBox(title), title);
    auto* group_layout = new QVBoxLayout(group);
    for (std::size_t i = 0; i < radios_.size(); ++i) {
        radios_[i] = named(new QRadioButton(texts[i]), names[i]);
        group_layout->addWidget(radios_[i]);
        if (static_cast<int>(i) == style)
            radios_[i]->setChecked(true);
        if (modified)
            connect(radios_[i], &QRadioButton::clicked, this, [modified] { modified(); });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    tab_to_checked_radio({radios_.begin(), radios_.end()});
}

int LineStylePage::style() const {
    for (std::size_t i = 0; i < radios_.size(); ++i)
        if (radios_[i]->isChecked())
            return static_cast<int>(i);
    return 0;
}

}  // namespace tarvik
