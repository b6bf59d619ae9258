#include "property_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialog_controls.h"

namespace tarvik {

PropertySheet::PropertySheet(const QString& caption, QWidget* parent) : QDialog(parent) {
    setWindowTitle(caption);
    tabs_ = new QTabWidget;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
}

void PropertySheet::add_buttons() {
    QDialogButtonBox* buttons = ok_cancel_buttons(this);
    apply_ = named(buttons->addButton(QDialogButtonBox::Apply), QStringLiteral("Apply"));
    apply_->setEnabled(false);
    connect(apply_, &QPushButton::clicked, this, &PropertySheet::apply);
    layout()->addWidget(buttons);
}

void PropertySheet::add_page(QWidget* page, const QString& tab) {
    named(page, tab);
    tabs_->addTab(page, tab);
}

int PropertySheet::active_page() const {
    return tabs_->currentIndex();
}

void PropertySheet::set_active_page(int page) {
    tabs_->setCurrentIndex(page);
}

void PropertySheet::modified_changed(bool any_modified) {
    if (apply_)
        apply_->setEnabled(any_modified);
}

void PropertySheet::apply() {
    apply_page(active_page());
}

void PropertySheet::accept() {
    if (read_all_pages())
        QDialog::accept();
}

}  // namespace tarvik
