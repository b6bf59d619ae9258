// The records the property dialogs and the mark-line dialog send to a plot view while they
// stay open. The view copies what it needs before the send returns, so a record may live on
// the sender's stack.
#pragma once

#include <cstdint>

namespace tarvik {

// The view's private messages.
enum class ViewMessage : int {
    DataUpdated = 0x501,     // run the data-updated step
    LineProperty = 0x502,    // a LinePropertyChange
    WindowProperty = 0x503,  // a WindowPropertyChange
    MarkLine = 0x504,        // a MarkLineChange
};

struct LinePropertyChange {
    enum Kind : std::int32_t { Colour = 0, Width = 1, Style = 2, PointSize = 3 };
    std::int32_t curve = 0;
    std::int32_t kind = Colour;
    std::int32_t red = 0;  // low 8 bits used (colour)
    std::int32_t green = 0;
    std::int32_t blue = 0;
    std::int32_t width = 0;       // low 16 bits used
    std::int32_t style = 0;       // low 16 bits used
    std::int32_t point_size = 0;  // low 16 bits used
};

struct WindowPropertyChange {
    enum Page : std::int32_t { XRange = 0, YRange = 1, Ticks = 2, Precision = 3 };
    std::int32_t page = XRange;
    double x_minimum = 0.0;
    double x_maximum = 1.0;
    bool x_automatic = false;
    double y_minimum = 0.0;
    double y_maximum = 1.0;
    bool y_automatic = false;
    std::int32_t x_extra_ticks = 3;  // tick positions minus 2
    std::int32_t y_extra_ticks = 3;
    std::int32_t x_precision = 2;
    std::int32_t y_precision = 2;
    std::int32_t x_notation = 0;  // 0 FIXED, 1 SCIENTIFIC
    std::int32_t y_notation = 0;
};

struct MarkLineChange {
    std::uint32_t colour = 0;  // 0x00BBGGRR
    std::int32_t curve = 0;
};

}  // namespace tarvik
