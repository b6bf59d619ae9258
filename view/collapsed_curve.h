// A solid one-pixel line through many points, drawn collapsed per pixel column: the segments
// inside one pixel column are vertical and together cover the column from its lowest to its
// highest point, so one vertical run stands for them; the segments between columns are drawn
// as they are, unless the runs at both ends already cover them. This paints the same pixels as
// every segment but a few at the ends of a run, at a fraction of the cost.
#pragma once

#include <cstddef>

#include "axis_map.h"
#include "block_summary.h"
#include "line_container.h"

class QPainter;

namespace tarvik {

class StripRecording;

// Takes points [first, last) of store. With x_never_decreases (and no x NaN in the store) the
// points of each column are found by searching x and their extent by reading their y, and the
// drawing ends at the first point whose column lies past last_column (before first_column
// where columns fall with x), once the line is joined to it; otherwise every point is placed.
// Returns the index of that point, or last. With a recording, the runs and lines are recorded
// instead of drawn.
std::size_t paint_collapsed(QPainter& painter, const LineContainer& store, std::size_t first,
                            std::size_t last, bool x_never_decreases, const PlotMap& map,
                            int first_column, int last_column, StripRecording* recording = nullptr);

// The same picture for a store whose finite x never decrease, each column's points found by
// searching x and summarised through the store's block summary: the cost grows with the
// columns between first_column and last_column (and the logarithm of the points), not with the
// points. The search for the first point starts from `hint` (a strip drawn after the one to
// its left starts where that one ended). Returns the index of the point past the columns that
// the line was joined to, or the store's size.
std::size_t paint_collapsed_by_blocks(QPainter& painter, const LineContainer& store,
                                      const BlockSummary& summary, const PlotMap& map,
                                      int first_column, int last_column, std::size_t hint = 0,
                                      StripRecording* recording = nullptr);

}  // namespace tarvik
