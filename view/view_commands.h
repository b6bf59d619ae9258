// What the view's commands and private messages do to a plot, without the widget: the records
// the property dialogs send, freezing, inverting y, and whether periodic saving is due. The
// widget calls these and then redraws.
#pragma once

#include <ctime>

#include "plot_view_state.h"
#include "view_messages.h"

namespace tarvik {

class CTarvikDoc;
class PlotData;

// A colour, width, style or point size for every generation of one curve (the colour refaded).
// A record naming no curve of the plot changes nothing; false then.
bool apply_line_property(PlotViewState& state, const LinePropertyChange& change);

// One page of the window properties: a range (automatic from the data, or as given), the tick
// counts (extra ticks + 2), or the precisions and notations.
void apply_window_property(PlotViewState& state, const PlotData& doc,
                           const WindowPropertyChange& change);

// The line property sheet's OK: colour (refaded), width, style and point size for every
// generation of one curve.
void apply_line_look(PlotViewState& state, int curve, int red, int green, int blue, int width,
                     int style, int point_size);

// The window property sheet's OK: all four pages.
struct WindowPages {
    double x_minimum, x_maximum;
    bool x_automatic;
    double y_minimum, y_maximum;
    bool y_automatic;
    std::int32_t x_ticks, y_ticks;  // tick positions
    std::int32_t x_precision, y_precision;
    std::int32_t x_notation, y_notation;
};
void apply_window_pages(PlotViewState& state, const PlotData& doc, const WindowPages& pages);

// The curve's colour for every generation, refaded; false when no such curve.
bool apply_mark_line(PlotViewState& state, const MarkLineChange& change);

// Freezing keeps the timer's interval and stops the timer; unfreezing restarts it with the
// kept interval. Each does nothing in the wrong state.
void freeze(PlotViewState& state, CTarvikDoc& doc);
void unfreeze(PlotViewState& state, CTarvikDoc& doc);
// A new timer interval: while frozen it becomes the one Unfreeze restores and the timer stays
// stopped; otherwise the timer runs at it at once.
void set_running_interval(PlotViewState& state, CTarvikDoc& doc, std::int32_t interval_ms);

// Swaps the y range ends: the plot turns upside down.
void invert_y(PlotViewState& state);

// Periodic saving is due when it runs and strictly more than its interval has passed since
// the last save.
bool periodic_save_due(const PlotViewState& state, std::time_t now);

// Starting periodic saving raises the interval to at least the default saving interval.
void start_periodic_saving(PlotViewState& state);

}  // namespace tarvik
