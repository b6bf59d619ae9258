#include "app_settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace tarvik {

namespace {

const char* const kRecentKey = "Recent File List/files";

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

}  // namespace tarvik
