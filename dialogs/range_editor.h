// The controls of one axis range: the two limit boxes, "Auto" and, on the y page of the window
// properties, "Swap min/max". It shows a RangeForm and writes what the user does into it.
#pragma once

#include <QWidget>
#include <functional>

#include "range_form.h"

class QCheckBox;
class QLineEdit;

namespace tarvik {

class DialogExchange;

struct RangeLabels {
    QString minimum;  // "x-min:"
    QString maximum;  // "x-max:"
    bool swap_button = false;
};

class RangeEditor : public QWidget {
  public:
    RangeEditor(RangeForm& form, const RangeLabels& labels, QWidget* parent = nullptr);

    // Reads the limit boxes into the form unless "Auto" is checked (the boxes are disabled
    // then and keep their last values). False, with the message shown, on a bad box.
    bool read(DialogExchange& dx);
    // Called whenever an edit, "Auto" or the swap marks the form modified.
    void on_modified(std::function<void()> callback) { modified_ = std::move(callback); }

  private:
    void show_form();
    void mark_modified();

    RangeForm& form_;
    QLineEdit* minimum_;
    QLineEdit* maximum_;
    QCheckBox* automatic_;
    std::function<void()> modified_;
};

}  // namespace tarvik
