#include "tick_label_formatter.h"

#include <algorithm>
#include <ios>

#include "plot_defaults.h"

namespace tarvik {

TickLabelFormatter::TickLabelFormatter(double minimum, double maximum, int precision,
                                       int notation) {
    if (notation == 0) {
        m_Stream.setf(std::ios_base::fixed, std::ios_base::floatfield);
    } else if (notation == 1) {
        m_Stream.setf(std::ios_base::scientific, std::ios_base::floatfield);
    }
    // The stream sets aside room for every digit asked for: a precision of ten million
    // overflows the stack. Beyond the largest the dialogs offer, labels draw with that one.
    m_Stream.precision(std::min(precision, PlotLimits::instance().maximum_precision));
    const auto length = [this](double v) { return static_cast<int>(write(v, 0).size()); };
    m_Width = std::max(length(minimum), length(maximum));
}

std::string TickLabelFormatter::format(double v) const {
    return write(v, m_Width);
}

std::string TickLabelFormatter::write(double v, int field_width) const {
    m_Stream.str(std::string());
    m_Stream.clear();
    m_Stream.width(field_width);
    m_Stream << v;
    return m_Stream.str();
}

}  // namespace tarvik
