// What the plot document needs of the view that shows it: the view's display settings and
// drawing tables, its timer, and redraws. The window implements it; tests use a plain one.
#pragma once

#include <cstdint>

#include "plot_view_state.h"

namespace tarvik {

class DocumentView {
  public:
    virtual ~DocumentView() = default;

    virtual PlotViewState& state() = 0;
    // Stops the view's update timer and, for a non-zero interval, starts a new one (event id
    // 1) with that interval in milliseconds, keeping its id in m_TimerId.
    virtual void set_timer(std::int32_t interval_ms) = 0;
    // The step run whenever new data has arrived: renew the title's time, redraw, save the
    // picture when periodic saving is due.
    virtual void data_updated() = 0;
    // Redraw everything.
    virtual void update() = 0;
};

}  // namespace tarvik
