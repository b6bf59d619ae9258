// The real dialogs behind the document's curve operations (new plot, "&Add File...",
// "&Remove File...", "&History...").
#pragma once

#include <vector>

#include "curve_management.h"
#include "select_dlg.h"

class QWidget;

namespace tarvik {

// Dialogs parented to `parent`.
CurveDialogs window_curve_dialogs(QWidget* parent);

// One line per curve of the plot, for the curve selection and curve list dialogs.
std::vector<CurveListEntry> curve_list_entries(const CTarvikDoc& doc);

}  // namespace tarvik
