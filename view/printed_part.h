// What a printed page shows. Outside x-scrollbar mode the window, across the page width. In
// x-scrollbar mode the whole scrollable width is fitted onto the page width while the plot
// between the axes stays at least an inch tall on paper; a longer plot would shrink to a strip
// that shows nothing, so it prints the part the window shows, at its scroll position, across
// the page width instead.
#pragma once

#include <optional>

#include "plot_view_state.h"
#include "print_geometry.h"

class QPaintDevice;

namespace tarvik {

// `shown`: the window's part of m_ClientRect. None when there is nothing to print on.
std::optional<PrintGeometry> printed_part(const PlotViewState& state, const PixelRect& shown,
                                          const QPaintDevice& page);

}  // namespace tarvik
