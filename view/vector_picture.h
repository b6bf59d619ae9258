// Vector pictures of a plot for papers: PDF and SVG, drawn by the same routine as the screen
// and the printer (the printer's rules at scale 1: no pixel tricks, polylines).
#pragma once

#include <string>

#include "plot_view_state.h"

namespace tarvik {

class PlotData;

enum class VectorFormat { Pdf, Svg };

// Writes the plot over its client rectangle to `file`, replacing the file whole, so a reader
// never sees half a picture. False when it could not be written; the reason was shown.
bool save_vector_picture(PlotViewState& state, const PlotData& doc, const std::string& file,
                         VectorFormat format);
// The part `shown` of the plot: the window at its scroll position in x-scrollbar mode.
bool save_vector_picture(PlotViewState& state, const PlotData& doc, const PixelRect& shown,
                         const std::string& file, VectorFormat format);

}  // namespace tarvik
