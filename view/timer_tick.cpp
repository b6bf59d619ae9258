#include "timer_tick.h"

#include "plot_view_state.h"
#include "tarvik_doc.h"

namespace tarvik {

TimerTickResult timer_tick(CTarvikDoc& doc, PlotViewState& view, std::uint32_t event_id) {
    TimerTickResult result;
    if (event_id != view.m_TimerId)
        return result;
    result.ours = true;
    const std::uint64_t notices_before = doc.notices().revision();

    ++view.m_TickCounter;
    bool force = false;
    if (view.m_TickCounter >= view.m_MaxTries) {
        force = true;
        view.m_TickCounter = 0;
    }
    FileStatus last = FILE_UNCHANGED;
    for (int i = 0; i < doc.curve_count(); ++i) {
        last = doc.check_file(i);
        if (last == FILE_CHANGED || force) {
            doc.refresh_curve(i);
            result.updated = true;
        }
    }
    if (last == FILE_CHANGED)
        view.m_TickCounter = 0;
    result.notices_changed = doc.notices().revision() != notices_before;
    return result;
}

}  // namespace tarvik
