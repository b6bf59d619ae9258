// The process-wide initial settings of a new plot and curve, and the bounds the dialogs
// enforce. Each record is built on first use and never changes afterwards.
#pragma once

#include <cstdint>
#include <string>

#include "file_spec.h"

namespace tarvik {

struct PlotDefaults {
    double x_minimum = 0.0;
    double x_maximum = 1.0;
    double y_minimum = 0.0;
    double y_maximum = 1.0;
    std::string font_name = "lucida console";
    std::int32_t font_size = 100;  // tenths of a point
    std::int32_t tick_length = 5;
    std::int32_t x_precision = 2;
    std::int32_t y_precision = 2;
    std::int32_t x_ticks = 5;
    std::int32_t y_ticks = 5;
    std::int32_t axis_pen_width = 1;
    double colour_fade_factor = 0.6;
    std::int16_t default_line_width = 1;
    std::int16_t default_point_size = 1;
    std::int32_t hit_radius = 3;

    static const PlotDefaults& instance();
};

struct PlotLimits {
    std::int32_t maximum_precision = 6;
    std::int32_t maximum_timer_interval = 30;  // seconds
    std::int32_t maximum_extra_ticks = 50;
    std::int32_t maximum_point_size = 5;
    std::int32_t maximum_colour_component = 255;
    std::int32_t maximum_line_width = 5;
    std::int32_t maximum_history = 10;
    std::int32_t default_saving_interval = 60;  // seconds
    std::int32_t maximum_saving_interval = 60;  // minutes
    std::int32_t maximum_files = 20;
    std::int32_t maximum_title_length = 50;
    std::int32_t maximum_label_length = 15;
    std::int32_t maximum_timer_tries = 100;
    std::int32_t largest_file_read_whole = kLargestFileReadWhole;  // bytes
    std::int32_t off_screen_point_limit = 100000;

    static const PlotLimits& instance();
};

}  // namespace tarvik
