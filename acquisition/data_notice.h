// Plain facts that explain why a curve's data stop or wait, as the reader and the file monitor
// find them: the data end at an empty line, a new-lines-only store waits for its file to grow
// past what it took, the file is gone. The document keeps them per curve; the view words them.
#pragma once

#include <cstdint>

namespace tarvik {

struct DataNotice {
    enum class Kind : std::uint8_t {
        EmptyLine,      // the whole-file read stopped at an empty line
        WaitingToGrow,  // the file holds fewer data lines than the store has taken
        FileMissing,    // the file cannot be found
    };

    Kind kind = Kind::EmptyLine;
    // EmptyLine: the empty line's number in the file, counting every line from 1.
    // WaitingToGrow: the data lines the file holds now.
    std::int64_t line = 0;
    // WaitingToGrow: the data lines the store had taken.
    std::int64_t taken = 0;

    bool operator==(const DataNotice&) const = default;
};

}  // namespace tarvik
