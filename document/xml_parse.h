// Reads a configuration file into plain records. Nothing here touches a document or a view:
// the loader applies the records. A value that is absent (and not required) or does not
// convert leaves its field unset.
#pragma once

#include <cstdint>
#include <istream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "parse_error.h"
#include "xml_tokenizer.h"

namespace tarvik {

using TagMap = std::map<std::string, std::string, std::less<>>;

// One file entry: one curve.
struct FileConfiguration {
    std::int32_t index = 0;  // position among the entries
    std::string file;
    std::optional<std::int32_t> x_column;
    std::optional<std::int32_t> y_column;
    std::string line_title;
    // A colour with fewer than three components leaves the missing ones unset.
    std::optional<std::int32_t> red;
    std::optional<std::int32_t> green;
    std::optional<std::int32_t> blue;
    std::string line_style;
    std::optional<std::int32_t> line_size;
    std::optional<std::int32_t> point_size;
    std::optional<bool> add_only;
    std::string time_unit;
};

struct PlotConfiguration {
    std::optional<bool> auto_x_range;
    std::optional<bool> auto_y_range;
    std::optional<double> x_minimum;
    std::optional<double> x_maximum;
    std::optional<double> y_minimum;
    std::optional<double> y_maximum;
    std::optional<std::int32_t> x_ticks;
    std::optional<std::int32_t> y_ticks;
    std::optional<bool> grid;
    std::optional<bool> legend;
    std::optional<std::int32_t> timer_interval;
    std::optional<std::uint32_t> max_timer_tries;
    std::optional<std::int32_t> number_of_curves;
    std::optional<std::int32_t> x_precision;
    std::optional<std::int32_t> y_precision;
    std::string x_format;
    std::string y_format;
    std::optional<bool> maximized;
    std::optional<bool> auto_x_scroll;
    std::string title;
    std::string x_label;
    std::string y_label;
    std::string font_name;
    std::optional<std::int32_t> font_size;

    // The raw texts as collected. Only the first kMaxKeptEntries file entries are kept.
    TagMap plot_tags;
    std::vector<TagMap> file_tags;

    // The curves to build, in file order: number_of_curves of them (none when it is negative
    // or unset), fewer when fewer entries are present, at most kMaxCurves.
    std::vector<FileConfiguration> files;
    // More curves were asked for and present than a plot holds; the rest were dropped.
    bool too_many_files = false;

    static constexpr std::size_t kMaxCurves = 20;
    static constexpr std::size_t kMaxKeptEntries = kMaxCurves + 1;
};

namespace xml_parse {

// Reads the whole file. Throws xml_tokenizer::tokenizer_exception when it cannot be opened and
// parse_error (with the tag's name) when a required tag is missing or has no text.
void read(const std::string& file_name, PlotConfiguration& config);
void read(std::istream& in, PlotConfiguration& config);

// What the attribute splitting of a file entry's tokens leaves of a token: the text before
// the first attribute. The value of an attribute "id" (the last one, if several) goes to id.
std::string_view split_attributes(std::string_view token, std::optional<std::string>& id);

// The text with &amp; &lt; &gt; &quot; &apos; decoded; any other "&" stays.
std::string decode_text(std::string_view text);

}  // namespace xml_parse

}  // namespace tarvik
