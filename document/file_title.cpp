#include "file_title.h"

namespace tarvik {

namespace {

// The legend is as wide as its longest title in characters: a UTF-8 title counts each code
// point once, not each byte (continuation bytes are 10xxxxxx).
int characters(const std::string& title) {
    int n = 0;
    for (const char c : title)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

}  // namespace

void CFileTitle::add(const std::string& title) {
    titles_.push_back(title);
    const int length = characters(title);
    if (length > longest_length_) {
        longest_length_ = length;
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
        const int length = characters(titles_[static_cast<std::size_t>(i)]);
        if (length > longest_length_) {
            longest_length_ = length;
            longest_index_ = i;
        }
    }
}

}  // namespace tarvik
