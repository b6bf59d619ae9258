// The program's name, version and build time, and the texts made from them: the About box's
// lines, the --version line and the main window's caption.
#pragma once

#include <ctime>
#include <string>

namespace tarvik {

inline constexpr const char* kApplicationName = "Tarvik";
inline constexpr const char* kApplicationVersion = "0.68.0.0";

// When this program was built, as time_stamp_text writes it. Made by the build, in the local
// time of the building machine (SOURCE_DATE_EPOCH, when set, fixes it for reproducible builds).
const std::string& build_timestamp();

// "Mon Jul  9 17:51:27 2007": weekday, month, day of month padded with a blank to two
// characters, hh:mm:ss and the year, in English whatever the locale.
std::string time_stamp_text(const std::tm& time);

std::string about_version_text();     // "Tarvik Version 0.68.0.0"
std::string about_build_date_text();  // "Build date: " and the build time stamp
std::string version_line();           // "Tarvik 0.68.0.0", for --version

// The main window's caption: three blanks, "Tarvik(0.68.0.0)", the local time, a newline.
// main_caption() builds it once per process at its first use; main_caption_at() is the same
// text for a given local time.
std::string main_caption_at(const std::tm& local_time);
const std::string& main_caption();

}  // namespace tarvik
