// The line property sheet's four pages as plain values (colour, line width, style, point size),
// the "Invisible" / "Size:" rules of the two size pages, the record Apply sends for one page and
// the look OK sets.
#pragma once

#include <array>
#include <cstdint>

#include "view_messages.h"

namespace tarvik {

struct LineLook {
    std::int32_t red = 0;  // 0 to 255 each
    std::int32_t green = 0;
    std::int32_t blue = 0;
    std::int32_t width = 2;       // 0: line invisible
    std::int32_t style = 0;       // 0 solid, 1 dashed, 2 dotted, 3 dash-dot, 4 dash-dot-dot
    std::int32_t point_size = 2;  // 0: points invisible
};

// The colour as the view stores it: red in the low byte, then green, then blue.
std::uint32_t packed_colour(std::int32_t red, std::int32_t green, std::int32_t blue);

// A size page: the "Invisible" and "Size:" radios and the box with its value.
class SizePageForm {
  public:
    enum class Kind { LineWidth, PointSize };

    SizePageForm(Kind kind, std::int32_t size);

    Kind kind() const { return kind_; }

    bool invisible() const { return invisible_; }
    bool box_enabled() const { return !invisible_; }
    // The value behind the box (1 to the maximum); what the box shows on opening differs for
    // an invisible line, which shows 0.
    std::int32_t box_value() const { return box_value_; }
    std::int32_t box_text_on_opening() const;
    int highest() const;

    void click_invisible();  // box value 1, or 2 on the point-size page
    void click_size();       // a box value of 0 becomes 1
    void set_box_value(std::int32_t value) { box_value_ = value; }
    std::int32_t size() const { return invisible_ ? 0 : box_value_; }

  private:
    Kind kind_;
    bool invisible_;
    std::int32_t box_value_;
    std::int32_t opening_size_;
};

class LinePropertyForm {
  public:
    // Pages in tab order; a page's index is the kind of the record it sends.
    enum Page { Colour = 0, Width = 1, Style = 2, PointSize = 3 };
    static constexpr int kPages = 4;

    LinePropertyForm(const LineLook& look, std::int32_t curve);

    std::int32_t curve() const { return curve_; }
    std::int32_t red;
    std::int32_t green;
    std::int32_t blue;
    SizePageForm width_page;
    std::int32_t style;
    SizePageForm point_page;

    static int highest_colour_component();
    static int highest_style() { return 4; }

    bool modified(Page page) const { return modified_[page]; }
    bool any_modified() const;
    void set_modified(Page page) { modified_[page] = true; }
    void clear_modified() { modified_ = {}; }

    // The record Apply sends for the page, or false when its values lie outside their ranges.
    bool change_for(Page page, LinePropertyChange& change) const;
    // What OK sets: all four pages.
    LineLook look() const;

  private:
    std::int32_t curve_;
    std::array<bool, kPages> modified_{};
};

}  // namespace tarvik
