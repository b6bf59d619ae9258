// One tick of a plot's update timer, without the widget: count the tick, force a re-read of
// every curve after the plot's maximum number of tries, re-read the curves whose files
// changed, and say whether anything was read.
#pragma once

#include <cstdint>

namespace tarvik {

class CTarvikDoc;
struct PlotViewState;

struct TimerTickResult {
    bool ours = false;             // the event was the view's update timer
    bool updated = false;          // at least one curve was re-read
    bool notices_changed = false;  // why data stop or wait changed (a file went or came back)
};

TimerTickResult timer_tick(CTarvikDoc& doc, PlotViewState& view, std::uint32_t event_id);

}  // namespace tarvik
