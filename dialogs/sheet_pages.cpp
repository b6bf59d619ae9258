#include "sheet_pages.h"

namespace tarvik {

void SheetPages::open(int page) {
    if (page >= 0 && page < count())
        opened_[static_cast<std::size_t>(page)] = true;
}

bool SheetPages::opened(int page) const {
    return page >= 0 && page < count() && opened_[static_cast<std::size_t>(page)];
}

std::vector<int> SheetPages::read_on_ok(int active,
                                        const std::function<bool(int)>& modified) const {
    std::vector<int> pages;
    const int first = active >= 0 && active < count() ? active : 0;
    for (int i = 0; i < count(); ++i) {
        const int page = (first + i) % count();
        if (opened(page) || modified(page))
            pages.push_back(page);
    }
    return pages;
}

}  // namespace tarvik
