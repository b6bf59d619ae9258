// The enumerations a plot's configuration names in text, with their texts and the rules that
// turn a text back into a value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "time_unit.h"

namespace tarvik {

// A pen style; a style chosen in a dialog may be any int16 and is kept as it is (unknown
// values draw solid).
enum LineStyle : std::int32_t {
    SOLID = 0,
    DASH = 1,
    DOT = 2,
    DASHDOT = 3,
    DASHDOTDOT = 4,
    NULL_STYLE = 5
};
// A tick label notation; any other value means the stream's general notation and is kept.
enum NumberFormat : std::int32_t { FIXED = 0, SCIENTIFIC = 1 };

// How a curve's refresh treats its file: clear and re-read it, or take only the lines appended
// since the last read. Values other than NEW_LINES_ONLY re-read the file.
enum UpdateMode : std::int32_t { FULL_UPDATE = 0, NEW_LINES_ONLY = 1 };

// Plain numbers from dialogs and configuration files, kept as they are.
constexpr LineStyle to_line_style(std::int32_t value) {
    return static_cast<LineStyle>(value);
}
constexpr NumberFormat to_number_format(std::int32_t value) {
    return static_cast<NumberFormat>(value);
}
constexpr UpdateMode to_update_mode(std::int32_t value) {
    return static_cast<UpdateMode>(value);
}

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
