// The status bar's line for a plot: how many curves and points it shows, when data last
// arrived, whether it is frozen, and the newest notice of why data stop or wait; and the
// tooltip that lists all of the plot's notices.
#pragma once

#include <ctime>
#include <string>

#include "data_notice.h"
#include "plot_view_state.h"

namespace tarvik {

class CTarvikDoc;

// For example "2 curves, 1,024 points  |  updated 14:03:21  |  Frozen". last_update 0: no
// update yet. The newest notice follows, with how many more the tooltip lists.
std::string status_text(const CTarvikDoc& doc, const PlotViewState& state, std::time_t last_update);

// One notice in words, for example "data ends at line 12 of run.csv: an empty line".
std::string notice_text(const DataNotice& notice, const std::string& file);

// Every notice of the plot in words, one per line, oldest first and each once; empty when
// there is none.
std::string notices_tooltip(const CTarvikDoc& doc);

}  // namespace tarvik
