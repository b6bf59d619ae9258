// The status bar's line for a plot: how many curves and points it shows, when data last
// arrived, and whether it is frozen.
#pragma once

#include <ctime>
#include <string>

#include "plot_view_state.h"

namespace tarvik {

class CTarvikDoc;

// For example "2 curves, 1,024 points  |  updated 14:03:21  |  Frozen". last_update 0: no
// update yet.
std::string status_text(const CTarvikDoc& doc, const PlotViewState& state, std::time_t last_update);

}  // namespace tarvik
