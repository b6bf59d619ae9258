// The Ticks and Precision/format pages of the window properties; the range pages are
// RangeEditors. Each page shows its part of a WindowPropertiesForm and reads it back.
#pragma once

#include <QWidget>
#include <functional>

class QRadioButton;

namespace tarvik {

class DialogExchange;
class FreeSpinBox;
class WindowPropertiesForm;

class TicksPage : public QWidget {
  public:
    TicksPage(WindowPropertiesForm& form, std::function<void()> modified);
    bool read(DialogExchange& dx);

  private:
    WindowPropertiesForm& form_;
    FreeSpinBox* x_;
    FreeSpinBox* y_;
};

class PrecisionPage : public QWidget {
  public:
    PrecisionPage(WindowPropertiesForm& form, std::function<void()> modified);
    bool read(DialogExchange& dx);

  private:
    WindowPropertiesForm& form_;
    FreeSpinBox* x_;
    FreeSpinBox* y_;
};

}  // namespace tarvik
