// The program's own settings, kept in one place: the list of recently opened configuration
// files (4 entries, newest first), and whether new plots follow their data.
#pragma once

#include <QStringList>

namespace tarvik {

inline constexpr int kRecentFileCount = 4;

// Sets the organisation and application names QSettings files itself under.
void init_settings_identity();

QStringList recent_files();
// Puts file first (once), keeps at most kRecentFileCount entries, and stores the list.
void add_recent_file(const QString& file);
void remove_recent_file(const QString& file);

// "Follow data" as last chosen: new plots start with it (off until chosen once).
bool follow_data_for_new_plots();
void set_follow_data_for_new_plots(bool on);

}  // namespace tarvik
