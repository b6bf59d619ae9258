// The window property sheet's four pages as plain values: the ranges, the tick counts as the
// Ticks page shows them (stored positions minus 2), precisions and notations; which pages were
// modified; the record Apply sends for one page; the settings OK applies.
#pragma once

#include <array>
#include <cstdint>

#include "range_form.h"
#include "view_messages.h"

namespace tarvik {

// The view's settings the sheet edits, as the view stores them.
struct WindowSettings {
    RangeValues x;  // automatic: the axis takes its range from the data
    RangeValues y;
    std::int32_t x_ticks = 5;  // tick positions
    std::int32_t y_ticks = 5;
    std::int32_t x_precision = 2;
    std::int32_t y_precision = 2;
    std::int32_t x_notation = 0;  // 0 fixed, 1 scientific
    std::int32_t y_notation = 0;
};

class WindowPropertiesForm {
  public:
    enum Page { XRange = 0, YRange = 1, Ticks = 2, Precision = 3 };
    static constexpr int kPages = 4;

    // The ranges open with "Auto" clear, whatever the view's flags.
    explicit WindowPropertiesForm(const WindowSettings& settings);

    RangeForm x_range;
    RangeForm y_range;
    std::int32_t x_extra_ticks;  // shown on the Ticks page
    std::int32_t y_extra_ticks;
    std::int32_t x_precision;
    std::int32_t y_precision;
    std::int32_t x_notation;
    std::int32_t y_notation;

    static int highest_extra_ticks();
    static int lowest_precision() { return 1; }
    static int highest_precision();

    bool modified(Page page) const;
    bool any_modified() const;
    void set_modified(Page page);
    void clear_modified();

    // The record Apply sends for the page; only that page's fields are meaningful. Nothing
    // when the page's counts lie outside their ranges.
    bool change_for(Page page, WindowPropertyChange& change) const;
    // What OK applies: all four pages, the tick positions as shown plus 2.
    WindowSettings settings() const;

  private:
    std::array<bool, 2> other_modified_{};  // Ticks, Precision
};

}  // namespace tarvik
