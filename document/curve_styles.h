// How each curve is drawn, per history generation (0 = the newest data): colour, pen style,
// line width and marker radius. Older generations are drawn in colours faded toward white.
#pragma once

#include <cstdint>
#include <vector>

#include "enumerations.h"

namespace tarvik {

// 0x00BBGGRR: red in the low byte.
using Colour = std::uint32_t;

constexpr Colour rgb(int red, int green, int blue) {
    return static_cast<Colour>(red & 0xFF) | (static_cast<Colour>(green & 0xFF) << 8) |
           (static_cast<Colour>(blue & 0xFF) << 16);
}
constexpr int red_of(Colour c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int green_of(Colour c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blue_of(Colour c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// Each channel c becomes c + (255 - c) * factor, rounded half away from zero.
Colour faded(Colour c, double factor);

// How a new curve is drawn: its first generation's entries.
struct CurveDrawing {
    Colour colour = rgb(0, 0, 0);
    LineStyle style = SOLID;
    std::int16_t width = 1;
    std::int16_t point_size = 0;
};

class CurveStyleTables {
  public:
    void append_curve(const CurveDrawing& d) {
        append_curve(d.colour, d.style, d.width, d.point_size);
    }
    // A new last curve with one generation.
    void append_curve(Colour colour, LineStyle style, std::int16_t width, std::int16_t point_size);
    // Curve i gets `generations` entries: colours faded from entry 0, every other property
    // equal to entry 0's.
    void resize_generations(int i, int generations);
    void remove_curve(int i);

    // Sets curve i's property in all its generations (the colour refaded).
    void set_colour(int i, Colour colour);
    void set_style(int i, LineStyle style);
    void set_width(int i, std::int16_t width);
    void set_point_size(int i, std::int16_t point_size);

    int curve_count() const { return static_cast<int>(m_Colours.size()); }
    int generation_count(int i) const {
        return static_cast<int>(m_Colours.at(static_cast<std::size_t>(i)).size());
    }

    std::vector<std::vector<Colour>> m_Colours;
    std::vector<std::vector<LineStyle>> m_Styles;
    std::vector<std::vector<std::int16_t>> m_Widths;
    std::vector<std::vector<std::int16_t>> m_PointSizes;

  private:
    void refade(int i);
};

}  // namespace tarvik
