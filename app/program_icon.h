// The program's icon, compiled into the program (resources/tarvik.png, drawn from
// resources/tarvik.svg).
#pragma once

#include <QIcon>

namespace tarvik {

inline constexpr const char* kProgramIconPath = ":/tarvik/tarvik.png";

QIcon program_icon();

}  // namespace tarvik
