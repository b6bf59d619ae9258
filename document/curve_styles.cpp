#include "curve_styles.h"

#include <algorithm>
#include <cmath>

#include "plot_defaults.h"

namespace tarvik {

Colour faded(Colour c, double factor) {
    auto channel = [factor](int v) {
        return static_cast<int>(std::lround(v + (255 - v) * factor));
    };
    return rgb(channel(red_of(c)), channel(green_of(c)), channel(blue_of(c)));
}

void CurveStyleTables::append_curve(Colour colour, LineStyle style, std::int16_t width,
                                    std::int16_t point_size) {
    m_Colours.push_back({colour});
    m_Styles.push_back({style});
    m_Widths.push_back({width});
    m_PointSizes.push_back({point_size});
}

void CurveStyleTables::refade(int i) {
    auto& colours = m_Colours.at(static_cast<std::size_t>(i));
    const double factor = PlotDefaults::instance().colour_fade_factor;
    for (std::size_t g = 1; g < colours.size(); ++g)
        colours[g] = faded(colours[g - 1], factor);
}

void CurveStyleTables::resize_generations(int i, int generations) {
    const auto k = static_cast<std::size_t>(i);
    const auto n = static_cast<std::size_t>(std::max(generations, 1));
    auto fill = [&](auto& table) {
        auto& entries = table.at(k);
        entries.assign(n, entries.front());
    };
    fill(m_Colours);
    fill(m_Styles);
    fill(m_Widths);
    fill(m_PointSizes);
    refade(i);
}

void CurveStyleTables::remove_curve(int i) {
    const auto k = static_cast<std::ptrdiff_t>(i);
    m_Colours.erase(m_Colours.begin() + k);
    m_Styles.erase(m_Styles.begin() + k);
    m_Widths.erase(m_Widths.begin() + k);
    m_PointSizes.erase(m_PointSizes.begin() + k);
}

void CurveStyleTables::set_colour(int i, Colour colour) {
    m_Colours.at(static_cast<std::size_t>(i)).front() = colour;
    refade(i);
}

void CurveStyleTables::set_style(int i, LineStyle style) {
    auto& v = m_Styles.at(static_cast<std::size_t>(i));
    std::fill(v.begin(), v.end(), style);
}

void CurveStyleTables::set_width(int i, std::int16_t width) {
    auto& v = m_Widths.at(static_cast<std::size_t>(i));
    std::fill(v.begin(), v.end(), width);
}

void CurveStyleTables::set_point_size(int i, std::int16_t point_size) {
    auto& v = m_PointSizes.at(static_cast<std::size_t>(i));
    std::fill(v.begin(), v.end(), point_size);
}

}  // namespace tarvik
