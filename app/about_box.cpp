#include "about_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app_identity.h"
#include "program_icon.h"

namespace tarvik {
namespace {

QLabel* text_line(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAccessibleName(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Tarvik"));
    setWindowIcon(program_icon());

    auto* icon = new QLabel(this);
    icon->setPixmap(program_icon().pixmap(64, 64));
    icon->setAccessibleName(QStringLiteral("Tarvik icon"));
    icon->setAlignment(Qt::AlignTop);

    auto* lines = new QVBoxLayout;
    lines->addWidget(text_line(QString::fromStdString(about_version_text()), this));
    lines->addWidget(text_line(QString::fromStdString(about_build_date_text()), this));
    lines->addWidget(text_line(
        QStringLiteral("Live plots of the numbers programs append to text files."), this));
    lines->addWidget(
        text_line(QStringLiteral("Each plot follows its files and redraws as they grow."), this));

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(lines);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setAccessibleName(ok->text());
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tarvik
