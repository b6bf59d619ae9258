// Saving a plot's picture: the view's client area, one pixel wider and higher, drawn as on
// screen and written as a 16-colour PNG (format 1) or BMP (format 2). False when nothing was
// written; the reason was shown.
#pragma once

#include <string>

#include "plot_view_state.h"

namespace tarvik {

class PlotData;

bool SaveImage(PlotViewState& state, const PlotData& doc, int client_width, int client_height,
               const std::string& file, int format);

// The same for a view whose client area is its m_ClientRect.
bool SaveImage(PlotViewState& state, const PlotData& doc, const std::string& file, int format);

// The part `shown` of the plot (the window at its scroll position in x-scrollbar mode, where
// m_ClientRect spans the whole scrollable width), one pixel wider and higher.
bool SaveImage(PlotViewState& state, const PlotData& doc, const PixelRect& shown,
               const std::string& file, int format);

}  // namespace tarvik
