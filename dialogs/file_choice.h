// The file choosers of the program: the open-file chooser the dialogs' "Browse..." buttons
// call (a dialog takes it as a parameter so tests answer without a file dialog), the chooser
// of a file the program replaces by design, and the save-file chooser of the configuration
// and picture saves.
#pragma once

#include <QString>
#include <functional>
#include <optional>
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

// The name a save stands for: a file name without a dot gets the filter's extension (the first
// pattern's, "*.png" gives ".png"), so file managers and the open dialogs find what was saved;
// a name with one is kept as typed, and so is every name under a filter of all files.
QString with_filter_extension(const QString& path, const FileFilter& filter);

struct SaveChoice {
    QString path;    // with_filter_extension already applied
    int filter = 0;  // the index of the chosen filter
};

// The platform's save-file dialog with its overwrite question. When the name saved to is not
// the one typed (an extension was added) and that file exists, the replace question is asked
// here; No shows the dialog again. Nothing when it was cancelled.
std::optional<SaveChoice> choose_file_to_save(QWidget* parent, const QString& caption,
                                              const std::vector<FileFilter>& filters);

}  // namespace tarvik
