#include "app_settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace tarvik {

namespace {

const char* const kRecentKey = "Recent File List/files";
const char* const kFollowDataKey = "Settings/follow data";

void store(const QStringList& files) {
    QSettings().setValue(kRecentKey, files);
}

}  // namespace

void init_settings_identity() {
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarvik"));
}

QStringList recent_files() {
    QStringList files = QSettings().value(kRecentKey).toStringList();
    while (files.size() > kRecentFileCount)
        files.removeLast();
    return files;
}

void add_recent_file(const QString& file) {
    const QString path = QFileInfo(file).absoluteFilePath();
    QStringList files = recent_files();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFileCount)
        files.removeLast();
    store(files);
}

void remove_recent_file(const QString& file) {
    QStringList files = recent_files();
    files.removeAll(QFileInfo(file).absoluteFilePath());
    store(files);
}

bool follow_data_for_new_plots() {
    return QSettings().value(kFollowDataKey, false).toBool();
}

void set_follow_data_for_new_plots(bool on) {
    QSettings().setValue(kFollowDataKey, on);
}

}  // namespace tarvik
