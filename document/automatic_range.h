// The range a plot shows when it takes it from its data: the data's extent with a tenth of
// its span added on each side. The document's operations and the view's commands both set it.
#pragma once

#include <utility>

#include "plot_data.h"
#include "plot_view_state.h"

namespace tarvik {

// The range shown for data from minimum to maximum: a tenth of the span added on each side,
// a flat signal shown 0.01 either side of its value.
std::pair<double, double> automatic_range(double minimum, double maximum);

// Set the x (y) range from all the data and mark it automatic. Without any finite value the
// range stays as it is (still marked automatic) and the result is false.
bool apply_automatic_x_range(PlotViewState& view, const PlotData& doc);
bool apply_automatic_y_range(PlotViewState& view, const PlotData& doc);

}  // namespace tarvik
