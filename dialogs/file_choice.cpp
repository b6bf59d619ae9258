#include "file_choice.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "prompt.h"

namespace tarvik {

namespace {

QStringList filter_texts(const std::vector<FileFilter>& filters) {
    QStringList list;
    for (const FileFilter& f : filters)
        list << QStringLiteral("%1 (%2)").arg(f.name, f.pattern);
    return list;
}

// "png" for "*.png *.PNG"; empty for "*" or a pattern without an extension.
QString extension_of(const FileFilter& filter) {
    const QString first = filter.pattern.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    if (!first.startsWith(QStringLiteral("*.")))
        return QString();
    const QString extension = first.mid(2);
    if (extension.contains(QLatin1Char('*')) || extension.contains(QLatin1Char('?')))
        return QString();
    return extension;
}

bool confirm_replace(const QString& path, const QString& caption) {
    const QString text = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                             .arg(QFileInfo(path).fileName());
    return prompt::show(text.toStdString(), caption.toStdString(), prompt::Icon::Warning,
                        prompt::Buttons::YesNo) == prompt::Button::Yes;
}

}  // namespace

QString choose_file_to_open(QWidget* parent, const std::vector<FileFilter>& filters) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                        filter_texts(filters).join(QStringLiteral(";;")));
}

QString choose_file_to_write(QWidget* parent, const std::vector<FileFilter>& filters) {
    return QFileDialog::getSaveFileName(parent, QString(), QString(),
                                        filter_texts(filters).join(QStringLiteral(";;")), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString with_filter_extension(const QString& path, const FileFilter& filter) {
    const QString extension = extension_of(filter);
    const QString name = path.section(QLatin1Char('/'), -1);
    if (extension.isEmpty() || name.isEmpty() || name.contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + extension;
}

std::optional<SaveChoice> choose_file_to_save(QWidget* parent, const QString& caption,
                                              const std::vector<FileFilter>& filters) {
    QFileDialog dialog(parent, caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList texts = filter_texts(filters);
    dialog.setNameFilters(texts);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString typed = dialog.selectedFiles().first();
        SaveChoice choice{typed, 0};
        const qsizetype chosen = texts.indexOf(dialog.selectedNameFilter());
        if (chosen >= 0) {
            choice.filter = static_cast<int>(chosen);
            choice.path = with_filter_extension(typed, filters[static_cast<std::size_t>(chosen)]);
        }
        // The dialog asked about the name as typed; the name saved to may be another one.
        if (choice.path == typed || !QFileInfo::exists(choice.path) ||
            confirm_replace(choice.path, caption))
            return choice;
        dialog.selectFile(choice.path);
    }
}

}  // namespace tarvik
