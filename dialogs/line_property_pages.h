// The pages of the line property sheet: Color, Size / Point size (one class, two kinds) and
// Style. Each shows its part of a LinePropertyForm and reads it back. The Style page is also
// the body of the style dialog.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "colour_choice.h"

class QRadioButton;

namespace tarvik {

class DialogExchange;
class FreeSpinBox;
class LinePropertyForm;
class SizePageForm;

class ColourPage : public QWidget {
  public:
    ColourPage(LinePropertyForm& form, std::function<void()> modified,
               ColourChooser chooser = choose_solid_colour);
    bool read(DialogExchange& dx);

  private:
    void choose();
    void show_form();

    LinePropertyForm& form_;
    std::function<void()> modified_;
    ColourChooser chooser_;
    std::array<FreeSpinBox*, 3> boxes_{};
};

class SizePage : public QWidget {
  public:
    SizePage(SizePageForm& form, std::function<void()> modified);
    bool read(DialogExchange& dx);

  private:
    void show_box(std::int32_t value);

    SizePageForm& form_;
    std::function<void()> modified_;
    QRadioButton* invisible_;
    QRadioButton* size_;
    FreeSpinBox* box_;
};

class LineStylePage : public QWidget {
  public:
    // style: 0 solid, 1 dashed, 2 dotted, 3 dash-dot, 4 dash-dot-dot.
    explicit LineStylePage(int style, std::function<void()> modified = {});
    // The index of the checked radio button.
    int style() const;

  private:
    std::array<QRadioButton*, 5> radios_{};
};

}  // namespace tarvik
