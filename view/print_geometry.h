// Where a printed plot goes on the page: the window's drawing rectangle scaled so that its
// width (or the width of the part printed) fills the page width, keeping the window's aspect
// ratio.
#pragma once

#include <optional>

#include "plot_view_state.h"

namespace tarvik {

struct PrintGeometry {
    double scale = 1.0;  // printer pixels per window pixel (m_PrintScale)
    PixelRect rect;      // the page rectangle the plot is laid out in (m_PrintRect)
    int offset = 0;      // printer pixels the drawing moves left: the printed part's start
};

// scale = page width ÷ client width; the rectangle's right and bottom are scaled and rounded
// half away from zero, its left and top stay as they are. None for a client rectangle without
// width or a page without pixels.
std::optional<PrintGeometry> print_geometry(const PixelRect& client, int page_width_pixels);

// The part `shown` of the client rectangle (the window at its scroll position in x-scrollbar
// mode) across the page width: the whole plot laid out at that part's scale and moved left by
// the part's start. None without width, or when the plot would not fit the page's coordinates.
std::optional<PrintGeometry> print_geometry_of_part(const PixelRect& client, const PixelRect& shown,
                                                    int page_width_pixels);

}  // namespace tarvik
