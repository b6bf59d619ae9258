#include "window_properties_form.h"

#include "plot_defaults.h"

namespace tarvik {

namespace {
RangeValues fixed(RangeValues range) {
    range.automatic = false;
    return range;
}
bool within(int value, int low, int high) {
    return value >= low && value <= high;
}
// A file may store any int32 as a tick count; the two lowest have no count two below them.
std::int32_t extra_ticks_of(std::int32_t ticks) {
    return ticks < INT32_MIN + 2 ? INT32_MIN : ticks - 2;
}
}  // namespace

WindowPropertiesForm::WindowPropertiesForm(const WindowSettings& settings)
    : x_range(fixed(settings.x)),
      y_range(fixed(settings.y)),
      x_extra_ticks(extra_ticks_of(settings.x_ticks)),
      y_extra_ticks(extra_ticks_of(settings.y_ticks)),
      x_precision(settings.x_precision),
      y_precision(settings.y_precision),
      x_notation(settings.x_notation),
      y_notation(settings.y_notation) {}

int WindowPropertiesForm::highest_extra_ticks() {
    return PlotLimits::instance().maximum_extra_ticks;
}

int WindowPropertiesForm::highest_precision() {
    return PlotLimits::instance().maximum_precision;
}

bool WindowPropertiesForm::modified(Page page) const {
    switch (page) {
        case XRange:
            return x_range.modified();
        case YRange:
            return y_range.modified();
        case Ticks:
        case Precision:
            break;
    }
    return other_modified_[page - Ticks];
}

bool WindowPropertiesForm::any_modified() const {
    return modified(XRange) || modified(YRange) || modified(Ticks) || modified(Precision);
}

void WindowPropertiesForm::set_modified(Page page) {
    if (page == XRange)
        x_range.set_modified(true);
    else if (page == YRange)
        y_range.set_modified(true);
    else
        other_modified_[page - Ticks] = true;
}

void WindowPropertiesForm::clear_modified() {
    x_range.set_modified(false);
    y_range.set_modified(false);
    other_modified_ = {};
}

bool WindowPropertiesForm::change_for(Page page, WindowPropertyChange& change) const {
    change = WindowPropertyChange{};
    change.page = page;
    switch (page) {
        case XRange:
            change.x_minimum = x_range.values().minimum;
            change.x_maximum = x_range.values().maximum;
            change.x_automatic = x_range.values().automatic;
            return true;
        case YRange:
            change.y_minimum = y_range.values().minimum;
            change.y_maximum = y_range.values().maximum;
            change.y_automatic = y_range.values().automatic;
            return true;
        case Ticks:
            if (!within(x_extra_ticks, 0, highest_extra_ticks()) ||
                !within(y_extra_ticks, 0, highest_extra_ticks()))
                return false;
            change.x_extra_ticks = x_extra_ticks;
            change.y_extra_ticks = y_extra_ticks;
            return true;
        case Precision:
            if (!within(x_precision, lowest_precision(), highest_precision()) ||
                !within(y_precision, lowest_precision(), highest_precision()))
                return false;
            change.x_precision = x_precision;
            change.y_precision = y_precision;
            change.x_notation = x_notation;
            change.y_notation = y_notation;
            return true;
    }
    return false;
}

WindowSettings WindowPropertiesForm::settings() const {
    return {x_range.values(), y_range.values(), x_extra_ticks + 2, y_extra_ticks + 2,
            x_precision,      y_precision,      x_notation,        y_notation};
}

}  // namespace tarvik
