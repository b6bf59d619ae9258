// The window property sheet "Window properties...": pages "X-range", "Y-range" (with "Swap
// min/max"), "Ticks" (tick positions minus 2) and "Precision/format". Apply sends the active
// page to the target (the plot view) as a WindowPropertyEvent; OK yields all four pages.
//     CWindowProperties sheet(settings, view, parent);  // settings as the view stores them
//     if (sheet.exec() == QDialog::Accepted) apply(sheet.settings());
#pragma once

#include "property_sheet.h"
#include "window_properties_form.h"

class QObject;

namespace tarvik {

class PrecisionPage;
class RangeEditor;
class TicksPage;

class CWindowProperties : public PropertySheet {
  public:
    CWindowProperties(const WindowSettings& settings, QObject* target, QWidget* parent = nullptr);

    // After OK: the ranges (automatic where "Auto" was checked), tick positions as the view
    // stores them (page value + 2), precisions and notations.
    WindowSettings settings() const { return m_Form.settings(); }

  protected:
    bool apply_page(int page) override;
    bool read_page(int page) override;
    bool is_page_modified(int page) const override;

  private:
    void page_modified(WindowPropertiesForm::Page page);

    WindowPropertiesForm m_Form;
    QObject* target_;
    RangeEditor* x_page_;
    RangeEditor* y_page_;
    TicksPage* ticks_page_;
    PrecisionPage* precision_page_;
};

}  // namespace tarvik
