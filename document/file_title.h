// The curves' titles, with the length in characters and index of the longest one (the legend
// is sized from it; on a tie the earlier curve keeps it; -1 when every title is empty).
#pragma once

#include <string>
#include <vector>

namespace tarvik {

class CFileTitle {
  public:
    void add(const std::string& title);
    void set(int i, const std::string& title);
    void remove(int i);

    int size() const { return static_cast<int>(titles_.size()); }
    const std::string& title(int i) const { return titles_.at(static_cast<std::size_t>(i)); }
    int longest_length() const { return longest_length_; }
    int longest_index() const { return longest_index_; }

  private:
    void find_longest();

    std::vector<std::string> titles_;
    int longest_length_ = 0;
    int longest_index_ = -1;
};

}  // namespace tarvik
