// Writes a plot's set-up as a configuration file: 29 lines and 12 more per curve. The values
// come as a plain record, so the writer needs neither a document nor a view.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

struct CurveValues {
    std::string file;
    std::int32_t x_column = 0;
    std::int32_t y_column = 1;
    std::string title;
    std::int32_t red = 0;  // 0 to 255 each
    std::int32_t green = 0;
    std::int32_t blue = 0;
    std::int32_t style = 0;  // LineStyle
    std::int32_t line_size = 1;
    std::int32_t point_size = 1;
    bool add_only = false;
    std::int32_t time_unit = 1;  // TimeUnit; the document's, the same for every curve
};

struct ConfigurationValues {
    bool auto_x_range = true;
    double x_minimum = 0.0;
    double x_maximum = 1.0;
    bool auto_y_range = true;
    double y_minimum = 0.0;
    double y_maximum = 1.0;
    std::int32_t x_ticks = 5;
    std::int32_t y_ticks = 5;
    bool grid = false;
    std::int32_t timer_interval = 1000;  // milliseconds
    std::uint32_t max_timer_tries = 4294967295u;
    std::int32_t x_precision = 2;
    std::int32_t y_precision = 2;
    std::int32_t x_format = 0;  // NumberFormat
    std::int32_t y_format = 0;
    bool maximized = false;
    bool auto_x_scroll = false;
    bool legend = false;
    std::string title;
    std::string x_label;
    std::string y_label;
    std::string font_name = "lucida console";
    std::int32_t font_size = 100;  // tenths of a point
    std::vector<CurveValues> curves;
};

// The whole file, lines ended by "\n".
std::string configuration_text(const ConfigurationValues& values);

// Writes the file through a temporary one, so that a failure leaves an existing file as it
// was. False with the system's reason in error when it could not be written.
bool save_configuration(const std::string& path, const ConfigurationValues& values,
                        std::string& error);

// A range end as the file holds it: 15 digits after the point, fixed or scientific (with an
// exponent of at least three digits). Both ends of a range take the same form: fixed when
// both are within plus or minus one million.
bool range_is_scientific(double low, double high);
std::string format_real(double value, bool scientific);

// "&", "<", ">" and '"' as &amp; &lt; &gt; &quot;.
std::string escape_text(std::string_view text);

}  // namespace tarvik
