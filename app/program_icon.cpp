#include "program_icon.h"

namespace tarvik {

QIcon program_icon() {
    return QIcon(QString::fromLatin1(kProgramIconPath));
}

}  // namespace tarvik
