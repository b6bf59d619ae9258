// Splits a configuration file into tags and texts, one line at a time. A tag never spans
// lines; several tokens may share one line.
#pragma once

#include <fstream>
#include <istream>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tarvik {

class xml_tokenizer {
  public:
    // The configuration file could not be opened; its text is "File not open".
    struct tokenizer_exception : std::runtime_error {
        tokenizer_exception() : std::runtime_error("File not open") {}
    };

    enum class Kind { End, OpeningTag, ClosingTag, Text };
    struct Token {
        Kind kind = Kind::End;
        // The tag's name (attributes included) or the text. Valid until the next call.
        std::string_view text;
    };

    // Opens the file; throws tokenizer_exception when it cannot be opened.
    explicit xml_tokenizer(const std::string& file_name);
    // Reads from a stream the caller keeps alive.
    explicit xml_tokenizer(std::istream& in);

    Token next();

  private:
    bool read_line();

    std::unique_ptr<std::ifstream> file_;
    std::istream& in_;
    std::string line_;
    std::string_view rest_;  // the unconsumed part of line_
};

}  // namespace tarvik
