#include "line_property_form.h"

#include "plot_defaults.h"

namespace tarvik {

std::uint32_t packed_colour(std::int32_t red, std::int32_t green, std::int32_t blue) {
    return (static_cast<std::uint32_t>(red) & 0xFFu) |
           ((static_cast<std::uint32_t>(green) & 0xFFu) << 8) |
           ((static_cast<std::uint32_t>(blue) & 0xFFu) << 16);
}

SizePageForm::SizePageForm(Kind kind, std::int32_t size)
    : kind_(kind), invisible_(size < 1), box_value_(size < 1 ? 1 : size), opening_size_(size) {}

std::int32_t SizePageForm::box_text_on_opening() const {
    // The width page shows the width itself (0 for an invisible line); the point-size page
    // shows its box value.
    return kind_ == Kind::LineWidth ? opening_size_ : box_value_;
}

int SizePageForm::highest() const {
    const PlotLimits& limits = PlotLimits::instance();
    return kind_ == Kind::LineWidth ? limits.maximum_line_width : limits.maximum_point_size;
}

void SizePageForm::click_invisible() {
    invisible_ = true;
    box_value_ = kind_ == Kind::LineWidth ? 1 : 2;
}

void SizePageForm::click_size() {
    invisible_ = false;
    if (box_value_ == 0)
        box_value_ = 1;
}

LinePropertyForm::LinePropertyForm(const LineLook& look, std::int32_t curve)
    : red(look.red),
      green(look.green),
      blue(look.blue),
      width_page(SizePageForm::Kind::LineWidth, look.width),
      style(look.style),
      point_page(SizePageForm::Kind::PointSize, look.point_size),
      curve_(curve) {}

int LinePropertyForm::highest_colour_component() {
    return PlotLimits::instance().maximum_colour_component;
}

bool LinePropertyForm::any_modified() const {
    for (const bool m : modified_)
        if (m)
            return true;
    return false;
}

namespace {
bool within(std::int32_t value, int low, int high) {
    return value >= low && value <= high;
}
}  // namespace

bool LinePropertyForm::change_for(Page page, LinePropertyChange& change) const {
    change = LinePropertyChange{};
    change.curve = curve_;
    change.kind = page;
    const int top = highest_colour_component();
    switch (page) {
        case Colour:
            if (!within(red, 0, top) || !within(green, 0, top) || !within(blue, 0, top))
                return false;
            change.red = red;
            change.green = green;
            change.blue = blue;
            return true;
        case Width:
            change.width = width_page.size();
            return within(change.width, 0, width_page.highest());
        case Style:
            change.style = style;
            return within(style, 0, highest_style());
        case PointSize:
            change.point_size = point_page.size();
            return within(change.point_size, 0, point_page.highest());
    }
    return false;
}

LineLook LinePropertyForm::look() const {
    return {red, green, blue, width_page.size(), style, point_page.size()};
}

}  // namespace tarvik
