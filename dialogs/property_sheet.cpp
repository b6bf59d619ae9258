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
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int page) { pages_.open(page); });
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
    pages_.add_page();
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

// A page is shown before it is read, so a bad box is seen with the focus on it (on success the
// sheet closes before any of this is painted).
void PropertySheet::accept() {
    const auto modified = [this](int page) { return is_page_modified(page); };
    for (const int page : pages_.read_on_ok(active_page(), modified)) {
        set_active_page(page);
        if (!read_page(page))
            return;
    }
    QDialog::accept();
}

}  // namespace tarvik
