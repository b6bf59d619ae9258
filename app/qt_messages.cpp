#include "qt_messages.h"

#include <QtGlobal>

namespace tarvik {

namespace {

QtMessageHandler g_next = nullptr;

void filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && is_runtime_folder_notice(message))
        return;
    if (g_next)
        g_next(type, context, message);
}

}  // namespace

bool is_runtime_folder_notice(const QString& message) {
    return message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

void drop_runtime_folder_notice() {
    QtMessageHandler previous = qInstallMessageHandler(filter);
    if (previous != filter)
        g_next = previous;
}

}  // namespace tarvik
