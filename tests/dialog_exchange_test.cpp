// Reading boxes as the dialog framework does: every dialog relies on these texts and values.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QWidget>
#include <limits>

#include "dialog_exchange.h"
#include "free_spin_box.h"
#include "prompt_recorder.h"

namespace tarvik {
namespace {

enum class Kind { Integer, IntegerRange, Positive, PositiveRange, Number, Length };

struct Row {
    Kind kind;
    const char* text;
    double value;         // when message is empty
    const char* message;  // empty: accepted
};

const Row kRows[] = {
    {Kind::Integer, "42", 42, ""},
    {Kind::Integer, "  -7\t", -7, ""},
    {Kind::Integer, "+5", 5, ""},
    {Kind::Integer, "", 0, "Enter an integer."},
    {Kind::Integer, "4 2", 0, "Enter an integer."},
    {Kind::Integer, "12abc", 0, "Enter an integer."},
    {Kind::Integer, "1.5", 0, "Enter an integer."},
    {Kind::Integer, "+-5", 0, "Enter an integer."},
    {Kind::Integer, "99999999999", 0, "Enter an integer."},
    {Kind::IntegerRange, "0", 0, ""},
    {Kind::IntegerRange, "50", 50, ""},
    {Kind::IntegerRange, "51", 0, "Enter an integer between 0 and 50."},
    {Kind::IntegerRange, "-1", 0, "Enter an integer between 0 and 50."},
    {Kind::IntegerRange, "99999999999", 0, "Enter an integer between 0 and 50."},
    {Kind::IntegerRange, "x", 0, "Enter an integer."},
    {Kind::Positive, " 7 ", 7, ""},
    {Kind::Positive, "-3", 0, "Enter a positive integer."},
    {Kind::Positive, "three", 0, "Enter a positive integer."},
    {Kind::PositiveRange, "100", 100, ""},
    {Kind::PositiveRange, "0", 0, "Enter an integer between 1 and 100."},
    {Kind::Number, " 2.5e3 ", 2500, ""},
    {Kind::Number, "-.5", -0.5, ""},
    {Kind::Number, "+1", 1, ""},
    {Kind::Number, "1,5", 0, "Enter a number."},
    {Kind::Number, "inf", 0, "Enter a number."},
    {Kind::Number, "nan", 0, "Enter a number."},
    {Kind::Number, "1e999", 0, "Enter a number."},
    {Kind::Number, "", 0, "Enter a number."},
    {Kind::Length, "12345", 5, ""},
    {Kind::Length, "123456", 0, "Enter no more than 5 characters."},
};

template <typename T>
void expect_row(const Row& row, const Exchanged<T>& read, double value) {
    if (*row.message == '\0') {
        ASSERT_TRUE(read.value.has_value()) << row.text << ": " << read.message.toStdString();
        EXPECT_DOUBLE_EQ(value, row.value) << row.text;
    } else {
        EXPECT_FALSE(read.value.has_value()) << row.text;
        EXPECT_EQ(read.message.toStdString(), row.message) << row.text;
    }
}

TEST(DialogExchange, TextsGiveValuesOrTheFrameworksMessages) {
    for (const Row& row : kRows) {
        const QString text = QString::fromUtf8(row.text);
        switch (row.kind) {
            case Kind::Integer: {
                const auto read = parse_integer(text);
                expect_row(row, read, read.value.value_or(0));
                break;
            }
            case Kind::IntegerRange: {
                const auto read = parse_integer(text, 0, 50);
                expect_row(row, read, read.value.value_or(0));
                break;
            }
            case Kind::Positive: {
                const auto read = parse_positive_integer(text);
                expect_row(row, read, read.value.value_or(0));
                break;
            }
            case Kind::PositiveRange: {
                const auto read = parse_positive_integer(text, 1, 100);
                expect_row(row, read, read.value.value_or(0));
                break;
            }
            case Kind::Number: {
                const auto read = parse_number(text);
                expect_row(row, read, read.value.value_or(0));
                break;
            }
            case Kind::Length: {
                const auto read = check_length(text, 5);
                expect_row(row, read, read.value ? read.value->size() : 0);
                break;
            }
        }
    }
}

TEST(DialogExchange, FirstBadBoxIsRefusedOnceWithFocusAndSelection) {
    testing::PromptRecorder prompts;
    QWidget window;
    auto* good = new QLineEdit("3", &window);
    auto* bad = new FreeSpinBox(2, 30, &window);
    auto* also_bad = new QLineEdit("x", &window);
    bad->set_text("51");
    window.show();
    QApplication::setActiveWindow(&window);

    DialogExchange dx;
    EXPECT_EQ(dx.integer(good, 0, 50), 3);
    EXPECT_EQ(dx.integer(bad, 0, 50), 0);
    EXPECT_EQ(dx.number(also_bad), 0.0);
    EXPECT_FALSE(dx.ok());
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "Enter an integer between 0 and 50.");
    EXPECT_EQ(prompts.prompts()[0].icon, prompt::Icon::Warning);
    EXPECT_EQ(prompts.prompts()[0].buttons, prompt::Buttons::Ok);
    EXPECT_TRUE(bad->hasFocus() || bad->edit()->hasFocus());
    EXPECT_EQ(bad->edit()->selectedText(), "51");
}

TEST(FreeSpinBox, ArrowsStayInTheirRangeWhileTheTextDoesNot) {
    FreeSpinBox box(2, 30);
    box.set_value(29);
    box.stepBy(5);
    EXPECT_EQ(box.text(), "30");
    box.set_value(3);
    box.stepBy(-5);
    EXPECT_EQ(box.text(), "2");
    box.set_text("50");  // typed beyond the arrows: kept as typed
    EXPECT_EQ(box.text(), "50");
    box.stepBy(-1);
    EXPECT_EQ(box.text(), "30");
    box.set_text("abc");
    box.stepBy(1);
    EXPECT_EQ(box.text(), "3");
}

}  // namespace
}  // namespace tarvik
