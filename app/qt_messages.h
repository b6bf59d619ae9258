// Qt's own messages on standard error. Run as root or without a login session, Qt says on
// every start that XDG_RUNTIME_DIR is not set and which folder it takes instead; that notice
// tells a user of this program nothing, so it is dropped. Every other message goes on to the
// handler that was installed before (Qt's own writes it to standard error).
#pragma once

#include <QString>

namespace tarvik {

bool is_runtime_folder_notice(const QString& message);

// Installs the filter; call before the application object is made.
void drop_runtime_folder_notice();

}  // namespace tarvik
