// The real dialogs behind the document's curve operations (new plot, "&Add File...",
// "&Remove File...", "&History...").
#pragma once

#include "curve_management.h"

class QWidget;

namespace tarvik {

// Dialogs parented to `parent`.
CurveDialogs window_curve_dialogs(QWidget* parent);

}  // namespace tarvik
