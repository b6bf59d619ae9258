// Small pieces every dialog builds from: controls named for assistive technology (and for
// tests) by their label, labels bound to their boxes, and the OK / Cancel row.
#pragma once

#include <QString>
#include <vector>

class QAbstractButton;
class QDialog;
class QDialogButtonBox;
class QLabel;
class QRadioButton;
class QWidget;

namespace tarvik {

// The label without its mnemonic marks ("&Red" → "Red", "a && b" → "a & b").
QString plain_label(const QString& label);

// Gives the control the label's text as its accessible name; returns the control.
template <typename W>
W* named(W* control, const QString& label) {
    control->setAccessibleName(plain_label(label));
    return control;
}

// A label for a box: the mnemonic moves the focus to the box, which takes the label's name.
QLabel* label_for(QWidget* box, const QString& text);

// Tab enters a group of radio buttons at its checked button (at the first while none is), so
// Space there never changes the choice; the arrow keys move and check within the group as
// before. Call once the buttons are in their layout.
void tab_to_checked_radio(const std::vector<QRadioButton*>& group);

// OK and Cancel, connected to accept() and reject(); OK is the default button (Enter).
QDialogButtonBox* ok_cancel_buttons(QDialog* dialog);
// OK alone.
QDialogButtonBox* ok_button(QDialog* dialog);

}  // namespace tarvik
