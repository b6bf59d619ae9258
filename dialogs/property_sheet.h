// A property sheet: pages on tabs with OK, Cancel and Apply. Apply is enabled while a page is
// modified; it reads and sends the active page only. OK reads every page the user opened or
// changed; the others hand their values through as given.
#pragma once

#include <QDialog>

#include "sheet_pages.h"

class QPushButton;
class QTabWidget;

namespace tarvik {

class PropertySheet : public QDialog {
  public:
    int active_page() const;
    void set_active_page(int page);
    void accept() override;
    // Presses Apply (also what the button does).
    void apply();

  protected:
    PropertySheet(const QString& caption, QWidget* parent);

    void add_page(QWidget* page, const QString& tab);
    // After the last page, so the keyboard reaches the pages' controls before the buttons.
    void add_buttons();
    // Call after a page's modified state changed.
    void modified_changed(bool any_modified);

    // Reads the active page and sends it; false (with the message shown) leaves everything.
    virtual bool apply_page(int page) = 0;
    // Reads one page's boxes into the form; false with the message shown on a bad value.
    virtual bool read_page(int page) = 0;
    // The page holds a change not yet applied.
    virtual bool is_page_modified(int page) const = 0;

  private:
    QTabWidget* tabs_;
    SheetPages pages_;
    QPushButton* apply_ = nullptr;
};

}  // namespace tarvik
