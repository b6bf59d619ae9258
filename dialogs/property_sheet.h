// A property sheet: pages on tabs with OK, Cancel and Apply. Apply is enabled while a page is
// modified; it reads and sends the active page only. OK reads every page.
#pragma once

#include <QDialog>

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
    // Reads every page for OK; on a bad value shows its page and returns false.
    virtual bool read_all_pages() = 0;

  private:
    QTabWidget* tabs_;
    QPushButton* apply_ = nullptr;
};

}  // namespace tarvik
