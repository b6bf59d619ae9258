#include "printed_part.h"

#include <QPaintDevice>

#include "plot_renderer.h"

namespace tarvik {

std::optional<PrintGeometry> printed_part(const PlotViewState& state, const PixelRect& shown,
                                          const QPaintDevice& page) {
    const std::optional<PrintGeometry> whole = print_geometry(state.m_ClientRect, page.width());
    const bool scrolled = state.m_XScrollbarMode && shown.width() < state.m_ClientRect.width();
    if (!scrolled)
        return whole;
    if (whole) {
        const int inch = page.logicalDpiY();
        if (plot_layout_on(state, whole->rect, &page).plot_area.height() >= inch)
            return whole;
    }
    const std::optional<PrintGeometry> part =
        print_geometry_of_part(state.m_ClientRect, shown, page.width());
    return part ? part : whole;
}

}  // namespace tarvik
