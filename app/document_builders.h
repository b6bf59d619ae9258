// How new documents build themselves in this program: from a configuration file, and (in the
// window) through the new-plot dialog.
#pragma once

class QWidget;

namespace tarvik {

// Configuration files only: the batch renderer has no dialogs.
void install_batch_builders();
// Configuration files and the new-plot dialog, its dialogs parented to `parent`.
void install_window_builders(QWidget* parent);

}  // namespace tarvik
