// Reading dialog boxes the way the dialog framework does: the whole text (blanks around it
// allowed) must be a number of the asked kind, then lie in its range; text boxes have a
// greatest length. A bad value shows the framework's message, puts the focus on the box with
// its text selected, and reports failure so the dialog stays open.
#pragma once

#include <QString>
#include <optional>
#include <utility>

class QComboBox;
class QLineEdit;
class QWidget;

namespace tarvik {

class FreeSpinBox;

// The framework's messages, with the bounds filled in.
QString enter_integer_message();
QString enter_positive_integer_message();
QString enter_number_message();
QString enter_integer_between_message(long long low, long long high);
QString enter_no_more_than_message(int characters);

// A value read from a text, or the message that refuses the text.
template <typename T>
struct Exchanged {
    Exchanged(T v) : value(std::move(v)) {}  // NOLINT(google-explicit-constructor)
    static Exchanged refused(QString why) {
        Exchanged e{T{}};
        e.value.reset();
        e.message = std::move(why);
        return e;
    }
    std::optional<T> value;
    QString message;  // when there is no value
};

// Text-only reading, for tests and for code that has no widget.
Exchanged<int> parse_integer(const QString& text);
Exchanged<int> parse_integer(const QString& text, int low, int high);
Exchanged<int> parse_positive_integer(const QString& text);
Exchanged<int> parse_positive_integer(const QString& text, int low, int high);
Exchanged<double> parse_number(const QString& text);
Exchanged<QString> check_length(const QString& text, int maximum_characters);

// The box a value is read from: its line edit, and the widget that takes the focus on a
// bad value (the spin box or combo box around the edit, or the edit itself).
struct ExchangeBox {
    ExchangeBox(QLineEdit* edit);            // NOLINT(google-explicit-constructor)
    ExchangeBox(FreeSpinBox* spin);          // NOLINT(google-explicit-constructor)
    ExchangeBox(QComboBox* editable_combo);  // NOLINT(google-explicit-constructor)
    QLineEdit* edit;
    QWidget* focus;
};

// Reads boxes in order and stops at the first bad one: after a failure every later read
// returns 0 (or an empty text) without a message, and ok() stays false.
//     DialogExchange dx;
//     const int x = dx.integer(x_box, 0, 50);
//     const int y = dx.integer(y_box, 0, 50);
//     if (!dx.ok()) return;  // the dialog stays open
class DialogExchange {
  public:
    int integer(ExchangeBox box);
    int integer(ExchangeBox box, int low, int high);
    int positive_integer(ExchangeBox box);
    int positive_integer(ExchangeBox box, int low, int high);
    double number(ExchangeBox box);
    QString text(ExchangeBox box, int maximum_characters);

    // Refuses the box with a message of the caller's own (e.g. a range check that follows a
    // reading of its own).
    void fail(ExchangeBox box, const QString& message);
    bool ok() const { return ok_; }

  private:
    template <typename T>
    T take(ExchangeBox box, Exchanged<T> read);
    bool ok_ = true;
};

// Writes an integer into a box as the framework writes it (plain decimal).
void show_integer(ExchangeBox box, int value);
// Writes a number into a box as the framework writes doubles (up to 15 significant digits).
void show_number(ExchangeBox box, double value);

}  // namespace tarvik
