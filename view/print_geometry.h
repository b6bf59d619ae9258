// Where a printed plot goes on the page: the window's drawing rectangle scaled so that its
// width fills the page width (in x-scrollbar mode the whole scrollable width), keeping the
// window's aspect ratio.
#pragma once

#include <optional>

#include "plot_view_state.h"

namespace tarvik {

struct PrintGeometry {
    double scale = 1.0;  // printer pixels per window pixel (m_PrintScale)
    PixelRect rect;      // the page rectangle the plot is laid out in (m_PrintRect)
};

// scale = page width ÷ client width; the rectangle's right and bottom are scaled and rounded
// half away from zero, its left and top stay as they are. None for a client rectangle without
// width or a page without pixels.
std::optional<PrintGeometry> print_geometry(const PixelRect& client, int page_width_pixels);

}  // namespace tarvik
