#include "status_text.h"

#include <cstdint>

#include "tarvik_doc.h"

namespace tarvik {

namespace {

// 1234567 → "1,234,567".
std::string grouped(std::int64_t n) {
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), ",");
    return digits;
}

}  // namespace

std::string status_text(const CTarvikDoc& doc, const PlotViewState& state,
                        std::time_t last_update) {
    std::int64_t points = 0;
    for (int i = 0; i < doc.curve_count(); ++i) {
        const auto& history = doc.history(i);
        if (!history.empty())
            points += history.front().count;
    }
    const int curves = doc.curve_count();
    std::string text = grouped(curves) + (curves == 1 ? " curve, " : " curves, ") +
                       grouped(points) + (points == 1 ? " point" : " points");
    if (last_update != 0)
        text += "  |  updated " + local_time_text(last_update);
    if (state.m_Frozen)
        text += "  |  Frozen";
    return text;
}

}  // namespace tarvik
