// The enumerations a plot's configuration names in text, with their texts and the rules that
// turn a text back into a value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

enum TimeUnit : std::int32_t { SECONDS = 0, MINUTES = 1, HOURS = 2 };
enum LineStyle : std::int32_t {
    SOLID = 0,
    DASH = 1,
    DOT = 2,
    DASHDOT = 3,
    DASHDOTDOT = 4,
    NULL_STYLE = 5
};
enum NumberFormat : std::int32_t { FIXED = 0, SCIENTIFIC = 1 };

// Texts of the values; an unknown value gives an empty text.
std::string_view time_unit_text(std::int32_t unit);
std::string_view line_style_text(std::int32_t style);
std::string_view number_format_text(std::int32_t format);

// Exact, case-sensitive matches. An unknown time unit is SECONDS and an unknown style SOLID,
// silently; an unknown number format is FIXED after an information box says so.
TimeUnit time_unit_from_text(std::string_view text);
LineStyle line_style_from_text(std::string_view text);
NumberFormat number_format_from_text(std::string_view text);

}  // namespace tarvik
