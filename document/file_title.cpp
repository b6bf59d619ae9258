#include "file_title.h"

namespace tarvik {

void CFileTitle::add(const std::string& title) {
    titles_.push_back(title);
    if (static_cast<int>(title.size()) > longest_length_) {
        longest_length_ = static_cast<int>(title.size());
        longest_index_ = size() - 1;
    }
}

void CFileTitle::set(int i, const std::string& title) {
    titles_.at(static_cast<std::size_t>(i)) = title;
    find_longest();
}

void CFileTitle::remove(int i) {
    titles_.erase(titles_.begin() + static_cast<std::ptrdiff_t>(i));
    find_longest();
}

void CFileTitle::find_longest() {
    longest_length_ = 0;
    longest_index_ = -1;
    for (int i = 0; i < size(); ++i) {
        const int length = static_cast<int>(titles_[static_cast<std::size_t>(i)].size());
        if (length > longest_length_) {
            longest_length_ = length;
            longest_index_ = i;
        }
    }
}

}  // namespace tarvik
