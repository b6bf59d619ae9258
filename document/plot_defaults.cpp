#include "plot_defaults.h"

namespace tarvik {

const PlotDefaults& PlotDefaults::instance() {
    static const PlotDefaults defaults;
    return defaults;
}

const PlotLimits& PlotLimits::instance() {
    static const PlotLimits limits;
    return limits;
}

}  // namespace tarvik
