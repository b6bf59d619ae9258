#include "file_choice.h"

#include <QFileDialog>
#include <QStringList>

namespace tarvik {

QString choose_file_to_open(QWidget* parent, const std::vector<FileFilter>& filters) {
    QStringList list;
    for (const FileFilter& f : filters)
        list << QStringLiteral("%1 (%2)").arg(f.name, f.pattern);
    return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                        list.join(QStringLiteral(";;")));
}

}  // namespace tarvik
