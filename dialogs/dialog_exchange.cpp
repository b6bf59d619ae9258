#include "dialog_exchange.h"

#include <QComboBox>
#include <QLineEdit>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "free_spin_box.h"
#include "prompt.h"

namespace tarvik {

QString enter_integer_message() {
    return QStringLiteral("Enter an integer.");
}
QString enter_positive_integer_message() {
    return QStringLiteral("Enter a positive integer.");
}
QString enter_number_message() {
    return QStringLiteral("Enter a number.");
}
QString enter_integer_between_message(long long low, long long high) {
    return QStringLiteral("Enter an integer between %1 and %2.").arg(low).arg(high);
}
QString enter_no_more_than_message(int characters) {
    return QStringLiteral("Enter no more than %1 characters.").arg(characters);
}

namespace {

// The text without the blanks around it, with a '+' directly before a digit dropped (the
// standard conversions take '-' only).
std::string number_text(const QString& text) {
    std::string s = text.trimmed().toStdString();
    if (s.size() > 1 && s[0] == '+' && s[1] >= '0' && s[1] <= '9')
        s.erase(0, 1);
    return s;
}

// The whole text as a long long, or nothing (no digits, other characters, too large).
std::optional<long long> whole_integer(const std::string& s) {
    long long value = 0;
    const char* end = s.data() + s.size();
    const auto [stop, error] = std::from_chars(s.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

Exchanged<int> in_range(long long value, int low, int high) {
    if (value < low || value > high)
        return Exchanged<int>::refused(enter_integer_between_message(low, high));
    return static_cast<int>(value);
}

}  // namespace

Exchanged<int> parse_integer(const QString& text) {
    return parse_integer(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

Exchanged<int> parse_integer(const QString& text, int low, int high) {
    const auto value = whole_integer(number_text(text));
    if (!value)
        return Exchanged<int>::refused(enter_integer_message());
    if (*value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max()) {
        // Beyond int but a plain integer: the range message says more, where there is one.
        if (low == std::numeric_limits<int>::min() && high == std::numeric_limits<int>::max())
            return Exchanged<int>::refused(enter_integer_message());
    }
    return in_range(*value, low, high);
}

Exchanged<int> parse_positive_integer(const QString& text) {
    return parse_positive_integer(text, 0, std::numeric_limits<int>::max());
}

Exchanged<int> parse_positive_integer(const QString& text, int low, int high) {
    const std::string s = number_text(text);
    const auto value = s.starts_with('-') ? std::nullopt : whole_integer(s);
    if (!value)
        return Exchanged<int>::refused(enter_positive_integer_message());
    if (*value > std::numeric_limits<int>::max() && low == 0 &&
        high == std::numeric_limits<int>::max())
        return Exchanged<int>::refused(enter_positive_integer_message());
    return in_range(*value, low, high);
}

Exchanged<double> parse_number(const QString& text) {
    const std::string s = number_text(text);
    double value = 0.0;
    const char* end = s.data() + s.size();
    const auto [stop, error] = std::from_chars(s.data(), end, value);
    // Infinities and NaN are refused too: a range cannot be drawn from them.
    if (s.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        return Exchanged<double>::refused(enter_number_message());
    return value;
}

Exchanged<QString> check_length(const QString& text, int maximum_characters) {
    // Characters, not UTF-16 units: a character outside the basic plane counts once.
    if (text.toUcs4().size() > maximum_characters)
        return Exchanged<QString>::refused(enter_no_more_than_message(maximum_characters));
    return text;
}

ExchangeBox::ExchangeBox(QLineEdit* line_edit) : edit(line_edit), focus(line_edit) {}
ExchangeBox::ExchangeBox(FreeSpinBox* spin) : edit(spin->edit()), focus(spin) {}
ExchangeBox::ExchangeBox(QComboBox* editable_combo)
    : edit(editable_combo->lineEdit()), focus(editable_combo) {}

void DialogExchange::fail(ExchangeBox box, const QString& message) {
    if (!ok_)
        return;
    ok_ = false;
    prompt::show(message.toStdString(), prompt::kApplicationTitle, prompt::Icon::Warning,
                 prompt::Buttons::Ok);
    box.focus->setFocus(Qt::OtherFocusReason);
    box.edit->selectAll();
}

template <typename T>
T DialogExchange::take(ExchangeBox box, Exchanged<T> read) {
    if (!ok_)
        return T{};
    if (!read.value) {
        fail(box, read.message);
        return T{};
    }
    return *read.value;
}

int DialogExchange::integer(ExchangeBox box) {
    return ok_ ? take(box, parse_integer(box.edit->text())) : 0;
}
int DialogExchange::integer(ExchangeBox box, int low, int high) {
    return ok_ ? take(box, parse_integer(box.edit->text(), low, high)) : 0;
}
int DialogExchange::positive_integer(ExchangeBox box) {
    return ok_ ? take(box, parse_positive_integer(box.edit->text())) : 0;
}
int DialogExchange::positive_integer(ExchangeBox box, int low, int high) {
    return ok_ ? take(box, parse_positive_integer(box.edit->text(), low, high)) : 0;
}
double DialogExchange::number(ExchangeBox box) {
    return ok_ ? take(box, parse_number(box.edit->text())) : 0.0;
}
QString DialogExchange::text(ExchangeBox box, int maximum_characters) {
    return ok_ ? take(box, check_length(box.edit->text(), maximum_characters)) : QString();
}

void show_integer(ExchangeBox box, int value) {
    box.edit->setText(QString::number(value));
}

void show_number(ExchangeBox box, double value) {
    box.edit->setText(QString::number(value, 'g', 15));
}

}  // namespace tarvik
