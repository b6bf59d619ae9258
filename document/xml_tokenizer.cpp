#include "xml_tokenizer.h"

#include <sys/stat.h>

namespace tarvik {

namespace {

std::unique_ptr<std::ifstream> open_file(const std::string& file_name) {
    // A folder opens as a stream on Linux and then fails on the first read; it is no file.
    struct stat info {};
    if (::stat(file_name.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        throw xml_tokenizer::tokenizer_exception();
    auto file = std::make_unique<std::ifstream>(file_name, std::ios::binary);
    if (!file->is_open())
        throw xml_tokenizer::tokenizer_exception();
    return file;
}

bool is_white(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

xml_tokenizer::xml_tokenizer(const std::string& file_name)
    : file_(open_file(file_name)), in_(*file_) {}

xml_tokenizer::xml_tokenizer(std::istream& in) : in_(in) {}

bool xml_tokenizer::read_line() {
    if (!std::getline(in_, line_))
        return false;
    if (!line_.empty() && line_.back() == '\r')
        line_.pop_back();
    rest_ = line_;
    std::size_t lead = 0;
    while (lead < rest_.size() && is_white(rest_[lead]))
        ++lead;
    rest_.remove_prefix(lead);
    return true;
}

xml_tokenizer::Token xml_tokenizer::next() {
    // A line that ended the file without a line feed leaves the stream at its end: whatever
    // is left of it after its first token is not read.
    if (!in_.good())
        return {};
    if (rest_.empty() && !read_line())
        return {};

    if (rest_.empty() || rest_.front() != '<') {
        // Text up to the next tag on this line; an empty or all-blank line gives empty text.
        const std::size_t end = rest_.find('<');
        const std::string_view text = rest_.substr(0, end);
        rest_.remove_prefix(text.size());
        return {Kind::Text, text};
    }
    // A "<" without ">" on its line takes the rest of the line as its tag.
    const std::size_t close = rest_.find('>');
    const std::size_t tag_end = close == std::string_view::npos ? rest_.size() : close;
    const bool closing = rest_.size() > 1 && rest_[1] == '/';
    const std::size_t name_start = closing ? 2 : 1;
    const std::string_view name =
        tag_end > name_start ? rest_.substr(name_start, tag_end - name_start) : std::string_view();
    rest_.remove_prefix(close == std::string_view::npos ? rest_.size() : close + 1);
    return {closing ? Kind::ClosingTag : Kind::OpeningTag, name};
}

}  // namespace tarvik
