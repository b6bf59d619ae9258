// Walking the complete lines of a data file's bytes and taking each one into a point store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "file_spec.h"
#include "line_container.h"
#include "line_parser.h"
#include "page_prefaulter.h"
#include "resume_point.h"

namespace tarvik {

// Takes the lines of one read, in file order: comments, the new-lines-only skip, the count of
// taken lines, the elapsed-time x.
class LineTaker {
  public:
    LineTaker(const FileSpec& spec, LineContainer& container, ReadWay way,
              std::int64_t first_data_line);

    // [b, e): a line without its line feed. Returns false when the read ends at this line
    // (an empty line in the whole-file read).
    bool take(const char* b, const char* e);

    // Makes room in the store for the points that total_size bytes of lines like those in the
    // sample can give, so that a large read does not copy the store over and over as it grows.
    void reserve_for(const char* sample, std::size_t sample_size, std::int64_t total_size);

    // Data lines walked so far, counting from the start of the file.
    std::int64_t data_lines() const { return index_; }
    // Lines of every kind walked past in this read (a declined empty line is not one of them),
    // and whether the read ended at an empty line.
    std::int64_t lines_walked() const { return lines_walked_; }
    bool stopped_at_empty_line() const { return stopped_at_empty_line_; }

  private:
    double elapsed_x(std::int64_t now) const;
    void start_prefaulting();
    void report_to_prefaulter();

    LineParser parser_;
    LineContainer& container_;
    GapRule gap_rule_;
    bool stop_at_empty_line_;
    bool add_only_;
    bool elapsed_time_;
    TimeUnit time_unit_;
    std::int64_t skip_;
    std::int64_t index_;
    std::int64_t lines_walked_ = 0;
    bool stopped_at_empty_line_ = false;
    std::int64_t now_ = 0;
    std::uint32_t points_since_clock_ = 0;
    // Set for large reads: faults in the store's pages ahead of the points.
    std::unique_ptr<PagePrefaulter> prefaulter_;
    std::size_t prefault_start_ = 0;
};

// Hands every complete line of [data, data + size) to taker until it declines one. Returns the
// number of bytes up to the end of the last line taken (or up to the line declined).
std::size_t walk_lines(const char* data, std::size_t size, LineTaker& taker);

// The same extent without taking anything.
std::size_t line_walk_extent(const char* data, std::size_t size, bool stop_at_empty_line);

// 3 when the bytes start with a UTF-8 byte-order mark, else 0.
std::size_t byte_order_mark_length(const char* data, std::int64_t size);

}  // namespace tarvik
