#include "free_spin_box.h"

#include <QLineEdit>
#include <algorithm>
#include <optional>

namespace tarvik {

namespace {
std::optional<long long> box_integer(const QString& text) {
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<long long>(value) : std::nullopt;
}
}  // namespace

FreeSpinBox::FreeSpinBox(int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum) {
    setKeyboardTracking(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

void FreeSpinBox::set_range(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    update();
}

void FreeSpinBox::set_text(const QString& text) {
    lineEdit()->setText(text);
}

void FreeSpinBox::stepBy(int steps) {
    const auto current = box_integer(text());
    const long long from = current ? *current : minimum_;
    const long long to = std::clamp<long long>(from + steps, minimum_, maximum_);
    set_value(static_cast<int>(to));
    lineEdit()->selectAll();
}

QValidator::State FreeSpinBox::validate(QString&, int&) const {
    return QValidator::Acceptable;
}

void FreeSpinBox::fixup(QString&) const {}

QAbstractSpinBox::StepEnabled FreeSpinBox::stepEnabled() const {
    if (isReadOnly() || !isEnabled())
        return StepNone;
    const auto current = box_integer(text());
    if (!current)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (*current < maximum_)
        enabled |= StepUpEnabled;
    if (*current > minimum_)
        enabled |= StepDownEnabled;
    return enabled;
}

}  // namespace tarvik
