// The file choosers the dialogs' "Browse..." buttons call. A dialog takes one as a parameter
// so tests answer without a file dialog.
#pragma once

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace tarvik {

// One entry of the file type list, e.g. {"Text", "*.txt"}.
struct FileFilter {
    QString name;
    QString pattern;
    bool operator==(const FileFilter&) const = default;
};

// The chosen path, or an empty text when the chooser was cancelled.
using FileChooser = std::function<QString(QWidget* parent, const std::vector<FileFilter>&)>;

// The platform's open-file dialog: no file name preset, no default extension.
QString choose_file_to_open(QWidget* parent, const std::vector<FileFilter>& filters);

// The platform's save-file dialog for a file the program will write: any name, existing or
// new, and no question about replacing one (the caller replaces it by design).
QString choose_file_to_write(QWidget* parent, const std::vector<FileFilter>& filters);

}  // namespace tarvik
