// Which pages of a property sheet OK reads. A page counts once the user has opened it or changed
// something on it; a page never opened hands the values it was given through unread, valid or
// not, so a stored value outside a page's range never blocks OK on another page.
#pragma once

#include <functional>
#include <vector>

namespace tarvik {

class SheetPages {
  public:
    void add_page() { opened_.push_back(false); }
    int count() const { return static_cast<int>(opened_.size()); }
    // The page was shown (the sheet opens on its first page).
    void open(int page);
    bool opened(int page) const;

    // The pages OK reads: the active page first, then the others in tab order, each only when
    // it was opened or `modified` says it holds a change.
    std::vector<int> read_on_ok(int active, const std::function<bool(int)>& modified) const;

  private:
    std::vector<bool> opened_;
};

}  // namespace tarvik
