// A spin box whose arrows step within one range while its text accepts anything, so a value
// outside the arrows' range (or no number at all) reaches the dialog's validation, which may
// accept a wider range (ticks step from 2 to 30 but 0 to 50 are accepted).
#pragma once

#include <QAbstractSpinBox>

class QLineEdit;

namespace tarvik {

class FreeSpinBox : public QAbstractSpinBox {
    Q_OBJECT

  public:
    FreeSpinBox(int minimum, int maximum, QWidget* parent = nullptr);

    void set_range(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

    QLineEdit* edit() const { return lineEdit(); }
    void set_text(const QString& text);
    void set_value(int value) { set_text(QString::number(value)); }

    // From the box's integer, or the lowest value when the box holds none; the result stays
    // in the arrows' range.
    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& position) const override;
    void fixup(QString& input) const override;

  protected:
    StepEnabled stepEnabled() const override;

  private:
    int minimum_;
    int maximum_;
};

}  // namespace tarvik
