#include "enumerations.h"

#include <array>

#include "prompt.h"

namespace tarvik {

namespace {

constexpr std::array<std::string_view, 3> kTimeUnits = {"SECONDS", "MINUTES", "HOURS"};
constexpr std::array<std::string_view, 6> kLineStyles = {"SOLID",   "DASH",       "DOT",
                                                         "DASHDOT", "DASHDOTDOT", "NULL"};
constexpr std::array<std::string_view, 2> kNumberFormats = {"FIXED", "SCIENTIFIC"};

template <std::size_t N>
std::string_view text_of(const std::array<std::string_view, N>& texts, std::int32_t value) {
    return value >= 0 && static_cast<std::size_t>(value) < N
               ? texts[static_cast<std::size_t>(value)]
               : std::string_view();
}

template <std::size_t N>
int index_of(const std::array<std::string_view, N>& texts, std::string_view text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (texts[i] == text)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

std::string_view time_unit_text(std::int32_t unit) {
    return text_of(kTimeUnits, unit);
}
std::string_view line_style_text(std::int32_t style) {
    return text_of(kLineStyles, style);
}
std::string_view number_format_text(std::int32_t format) {
    return text_of(kNumberFormats, format);
}

TimeUnit time_unit_from_text(std::string_view text) {
    const int i = index_of(kTimeUnits, text);
    return i < 0 ? SECONDS : static_cast<TimeUnit>(i);
}

LineStyle line_style_from_text(std::string_view text) {
    const int i = index_of(kLineStyles, text);
    return i < 0 ? SOLID : static_cast<LineStyle>(i);
}

NumberFormat number_format_from_text(std::string_view text) {
    const int i = index_of(kNumberFormats, text);
    if (i >= 0)
        return static_cast<NumberFormat>(i);
    prompt::show("Invalid formatting style: " + std::string(text) + "\nSetting format to FIXED",
                 prompt::kApplicationTitle, prompt::Icon::Information, prompt::Buttons::Ok);
    return FIXED;
}

}  // namespace tarvik
