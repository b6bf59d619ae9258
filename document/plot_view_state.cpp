#include "plot_view_state.h"

#include "plot_defaults.h"

namespace tarvik {

plot_limits::plot_limits()
    : m_XMin(PlotDefaults::instance().x_minimum),
      m_XMax(PlotDefaults::instance().x_maximum),
      m_YMin(PlotDefaults::instance().y_minimum),
      m_YMax(PlotDefaults::instance().y_maximum) {}

PlotViewState::PlotViewState()
    : m_XTicks(PlotDefaults::instance().x_ticks),
      m_YTicks(PlotDefaults::instance().y_ticks),
      m_TickLength(PlotDefaults::instance().tick_length),
      m_XPrecision(PlotDefaults::instance().x_precision),
      m_YPrecision(PlotDefaults::instance().y_precision),
      m_FontName(PlotDefaults::instance().font_name),
      m_FontSize(PlotDefaults::instance().font_size),
      m_SaveInterval(PlotLimits::instance().default_saving_interval),
      m_LastSaveTime(std::time(nullptr)) {}

}  // namespace tarvik
