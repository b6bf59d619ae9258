// The operations that add and remove a plot's curves through dialogs: adding a data file (a new
// plot, or "&Add File..."), choosing a curve, removing one and setting its history size. The
// dialogs are reached through CurveDialogs, so the decisions run (and are tested) without
// widgets; the window passes the real dialogs.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "curve_styles.h"
#include "new_plot_run.h"

namespace tarvik {

class CTarvikDoc;

struct CurveDialogs {
    // The new-plot dialog's whole run for a plot holding curve_count curves ("Too many files",
    // the dialog again while the data file is missing).
    std::function<NewPlotRun(int curve_count, const NewPlotValues& values)> new_plot;
    // The unit of an elapsed-time x axis; nothing when the dialog was not closed with OK.
    std::function<std::optional<int>()> time_unit;
    // The new curve's colour: black when the dialog was cancelled or failed.
    std::function<Colour()> colour;
    // The new curve's line style: solid when the dialog was cancelled.
    std::function<int()> line_style;
    // The curve selection dialog over the plot's curves: the chosen index, -1 when cancelled.
    std::function<int(const CTarvikDoc& doc)> select_curve;
    // The number dialog: a value from 0 to maximum, nothing when cancelled.
    std::function<std::optional<int>(const std::string& caption, int maximum, int value)> number;
};

// Adds a data file as a curve through the new-plot dialog (new_plot: the dialog of a new plot,
// which may also name a configuration file; else "&Add File..."). True when a curve was added
// or a configuration loaded.
bool AddFile(CTarvikDoc& doc, bool new_plot, const CurveDialogs& dialogs);

// With at most one curve 0 without a dialog; otherwise the dialog's answer (-1: cancelled).
int SelectCurve(const CTarvikDoc& doc, const CurveDialogs& dialogs);

// Removes a chosen curve; the last curve stays ("Window must contain at least one file. ").
// The title is rebuilt also when the choice was cancelled. True when a curve went.
bool RemoveFile(CTarvikDoc& doc, const CurveDialogs& dialogs);

// Sets how many older generations a chosen curve keeps (0 to the history limit).
bool SetHistorySize(CTarvikDoc& doc, const CurveDialogs& dialogs);

inline constexpr const char* kLastCurveText = "Window must contain at least one file. ";
inline constexpr const char* kHistorySizeCaption = "Select history size:";

}  // namespace tarvik
