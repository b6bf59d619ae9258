#include "file_choice.h"

#include <QFileDialog>
#include <QStringList>

namespace tarvik {

namespace {

QString filter_list(const std::vector<FileFilter>& filters) {
    QStringList list;
    for (const FileFilter& f : filters)
        list << QStringLiteral("%1 (%2)").arg(f.name, f.pattern);
    return list.join(QStringLiteral(";;"));
}

}  // namespace

QString choose_file_to_open(QWidget* parent, const std::vector<FileFilter>& filters) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter_list(filters));
}

QString choose_file_to_write(QWidget* parent, const std::vector<FileFilter>& filters) {
    return QFileDialog::getSaveFileName(parent, QString(), QString(), filter_list(filters), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

}  // namespace tarvik
