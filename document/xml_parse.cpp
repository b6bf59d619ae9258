#include "xml_parse.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "number_scan.h"

namespace tarvik::xml_parse {

namespace {

// isspace in the C locale.
bool is_white(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

const char* skip_white(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end && is_white(*p))
        ++p;
    return p;
}

// An integer as a formatted stream reads one: white space, an optional sign, digits; what
// follows is ignored. Returns the magnitude (capped) and the sign; nullopt when no digit.
struct Integer {
    bool negative = false;
    std::uint64_t magnitude = 0;
    bool too_large = false;  // more than 64 bits
};

std::optional<Integer> scan_integer(const char*& p, const char* end) {
    while (p != end && is_white(*p))
        ++p;
    Integer value;
    if (p != end && (*p == '+' || *p == '-'))
        value.negative = *p++ == '-';
    const char* const digits = p;
    for (; p != end && *p >= '0' && *p <= '9'; ++p) {
        const auto digit = static_cast<std::uint64_t>(*p - '0');
        if (value.magnitude > (std::numeric_limits<std::uint64_t>::max() - digit) / 10)
            value.too_large = true;
        else
            value.magnitude = value.magnitude * 10 + digit;
    }
    if (p == digits)
        return std::nullopt;
    return value;
}

template <typename Int>
std::optional<Int> signed_from(const Integer& v) {
    using Limits = std::numeric_limits<Int>;
    const auto max_magnitude = static_cast<std::uint64_t>(Limits::max()) + (v.negative ? 1 : 0);
    if (v.too_large || v.magnitude > max_magnitude)
        return std::nullopt;
    return v.negative ? static_cast<Int>(-static_cast<std::int64_t>(v.magnitude))
                      : static_cast<Int>(v.magnitude);
}

std::optional<std::int32_t> to_int32(std::string_view text) {
    const char* p = text.data();
    const auto v = scan_integer(p, p + text.size());
    return v ? signed_from<std::int32_t>(*v) : std::nullopt;
}

// As a stream reads an unsigned number: a minus sign is allowed and wraps the value around.
std::optional<std::uint32_t> to_uint32(std::string_view text) {
    const char* p = text.data();
    const auto v = scan_integer(p, p + text.size());
    if (!v || v->too_large || v->magnitude > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    const auto magnitude = static_cast<std::uint32_t>(v->magnitude);
    return v->negative ? static_cast<std::uint32_t>(0u - magnitude) : magnitude;
}

// A boolean is an integer that is 0 or 1.
std::optional<bool> to_bool(std::string_view text) {
    const auto v = to_int32(text);
    if (!v || (*v != 0 && *v != 1))
        return std::nullopt;
    return *v == 1;
}

// The longest number at the start; a value too large for a double does not convert.
std::optional<double> to_double(std::string_view text) {
    const char* p = skip_white(text);
    double value = 0.0;
    if (convert_number_prefix(p, text.data() + text.size(), value) == 0 || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The three colour components: the first two commas count as blanks, and the components are
// read one after the other until one fails.
void read_colour(std::string_view text, FileConfiguration& entry) {
    std::string spaced(text);
    const std::size_t first = spaced.find(',');
    if (first != std::string::npos) {
        spaced[first] = ' ';
        const std::size_t second = spaced.find(',', first + 1);
        if (second != std::string::npos)
            spaced[second] = ' ';
    }
    const char* p = spaced.data();
    const char* const end = p + spaced.size();
    for (auto* component : {&entry.red, &entry.green, &entry.blue}) {
        const auto v = scan_integer(p, end);
        *component = v ? signed_from<std::int32_t>(*v) : std::nullopt;
        if (!*component)
            return;
    }
}

// Looks a tag up; a required one that is absent ends the reading.
const std::string* find_tag(const TagMap& tags, std::string_view name, bool required) {
    const auto it = tags.find(name);
    if (it != tags.end())
        return &it->second;
    if (required)
        throw parse_error(std::string(name));
    return nullptr;
}

template <typename T, typename Convert>
void convert(const TagMap& tags, std::string_view name, bool required, std::optional<T>& field,
             Convert to) {
    if (const std::string* text = find_tag(tags, name, required)) {
        if (auto value = to(*text))
            field = value;
    }
}

void convert_text(const TagMap& tags, std::string_view name, bool required, std::string& field) {
    if (const std::string* text = find_tag(tags, name, required))
        field = decode_text(*text);
}

constexpr bool kRequired = true;
constexpr bool kOptional = false;

void convert_plot(PlotConfiguration& c) {
    const TagMap& t = c.plot_tags;
    convert(t, "auto_x_range", kRequired, c.auto_x_range, to_bool);
    convert(t, "auto_y_range", kRequired, c.auto_y_range, to_bool);
    convert(t, "xmin", kRequired, c.x_minimum, to_double);
    convert(t, "ymin", kRequired, c.y_minimum, to_double);
    convert(t, "xmax", kRequired, c.x_maximum, to_double);
    convert(t, "ymax", kRequired, c.y_maximum, to_double);
    convert(t, "xticks", kRequired, c.x_ticks, to_int32);
    convert(t, "yticks", kRequired, c.y_ticks, to_int32);
    convert(t, "grid", kRequired, c.grid, to_bool);
    convert(t, "legend", kOptional, c.legend, to_bool);
    convert(t, "timer_interval", kRequired, c.timer_interval, to_int32);
    convert(t, "max_timer_tries", kRequired, c.max_timer_tries, to_uint32);
    convert(t, "number_of_curves", kRequired, c.number_of_curves, to_int32);
    convert(t, "xprec", kRequired, c.x_precision, to_int32);
    convert(t, "yprec", kRequired, c.y_precision, to_int32);
    convert_text(t, "xformat", kRequired, c.x_format);
    convert_text(t, "yformat", kRequired, c.y_format);
    convert(t, "maximized", kRequired, c.maximized, to_bool);
    convert(t, "auto_x_scroll", kRequired, c.auto_x_scroll, to_bool);
    convert_text(t, "title", kOptional, c.title);
    convert_text(t, "xlabel", kOptional, c.x_label);
    convert_text(t, "ylabel", kOptional, c.y_label);
    convert_text(t, "font_name", kRequired, c.font_name);
    convert(t, "font_size", kRequired, c.font_size, to_int32);
}

FileConfiguration convert_file(const TagMap& t, std::size_t index) {
    FileConfiguration f;
    f.index = static_cast<std::int32_t>(index);
    convert_text(t, "file", kRequired, f.file);
    convert(t, "xcol", kRequired, f.x_column, to_int32);
    convert(t, "ycol", kRequired, f.y_column, to_int32);
    convert_text(t, "line_title", kOptional, f.line_title);
    if (const std::string* colour = find_tag(t, "line_color", kRequired))
        read_colour(*colour, f);
    convert_text(t, "line_style", kRequired, f.line_style);
    convert(t, "line_size", kRequired, f.line_size, to_int32);
    convert(t, "point_size", kRequired, f.point_size, to_int32);
    convert(t, "add_only", kRequired, f.add_only, to_bool);
    convert_text(t, "time_unit", kRequired, f.time_unit);
    return f;
}

using Kind = xml_tokenizer::Kind;

void collect_plot_tags(xml_tokenizer& tokens, TagMap& tags) {
    // Everything before a bare opening plot_attributes tag is skipped.
    for (auto t = tokens.next();; t = tokens.next()) {
        if (t.kind == Kind::End)
            return;
        if (t.kind == Kind::OpeningTag && t.text == "plot_attributes")
            break;
    }
    std::string key;
    for (auto t = tokens.next(); t.kind != Kind::End; t = tokens.next()) {
        if (t.kind == Kind::ClosingTag && t.text == "plot_attributes")
            return;
        if (t.kind == Kind::OpeningTag)
            key = t.text;
        else if (t.kind == Kind::Text)
            tags.insert_or_assign(key, std::string(t.text));
    }
}

void collect_file_tags(xml_tokenizer& tokens, std::vector<TagMap>& entries) {
    TagMap current;
    std::string key;
    for (auto t = tokens.next(); t.kind != Kind::End; t = tokens.next()) {
        std::optional<std::string> id;
        const std::string_view text = split_attributes(t.text, id);
        if (t.kind == Kind::ClosingTag) {
            if (text == "plot")
                return;
            // Entries past what a plot can hold are not kept: only their count matters.
            if (text == "file_attributes" && entries.size() < PlotConfiguration::kMaxKeptEntries)
                entries.push_back(current);
        } else if (t.kind == Kind::OpeningTag) {
            if (text == "file_attributes") {
                current.clear();
                current.insert_or_assign("id", id.value_or(std::string()));
            }
            key = text;
        } else if (t.kind == Kind::Text) {
            current.insert_or_assign(key, std::string(text));
        }
    }
}

}  // namespace

std::string_view split_attributes(std::string_view token, std::optional<std::string>& id) {
    std::size_t pos = token.find("=\"", 1);
    if (pos == std::string_view::npos)
        return token;
    // The last blank before a position, found by one walk forward over the whole token.
    std::size_t last_blank = std::string_view::npos;
    std::size_t walked = 0;
    const auto last_blank_before = [&](std::size_t p) {
        for (; walked < p; ++walked) {
            if (token[walked] == ' ')
                last_blank = walked;
        }
        return last_blank;
    };

    std::string_view own = token;
    if (const std::size_t blank = last_blank_before(pos); blank != std::string_view::npos) {
        own = token.substr(0, blank);
        while (!own.empty() && own.back() == ' ')
            own.remove_suffix(1);
    }
    for (; pos != std::string_view::npos; pos = token.find("=\"", pos + 1)) {
        const std::size_t blank = last_blank_before(pos);
        const std::size_t name_start = blank == std::string_view::npos ? 0 : blank + 1;
        const std::size_t value_start = pos + 2;
        const std::size_t value_end = std::min(token.find('"', value_start), token.size());
        if (token.substr(name_start, pos - name_start) == "id")
            id = std::string(token.substr(value_start, value_end - value_start));
    }
    return own;
}

std::string decode_text(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, char>, 5> kEntities = {
        {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}}};
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t amp = text.find('&');
        out.append(text.substr(0, amp));
        if (amp == std::string_view::npos)
            break;
        text.remove_prefix(amp);
        std::size_t taken = 1;
        char decoded = '&';
        for (const auto& [entity, c] : kEntities) {
            if (text.starts_with(entity)) {
                taken = entity.size();
                decoded = c;
                break;
            }
        }
        out.push_back(decoded);
        text.remove_prefix(taken);
    }
    return out;
}

namespace {

// Turns the collected texts into values; called once the file is closed.
void convert_all(PlotConfiguration& config) {
    convert_plot(config);
    const std::size_t asked =
        static_cast<std::size_t>(std::max<std::int32_t>(config.number_of_curves.value_or(0), 0));
    const std::size_t present = std::min(asked, config.file_tags.size());
    config.too_many_files = present > PlotConfiguration::kMaxCurves;
    const std::size_t used = std::min(present, PlotConfiguration::kMaxCurves);
    // Entries past those used are ignored, also when they lack a tag.
    for (std::size_t i = 0; i < used; ++i)
        config.files.push_back(convert_file(config.file_tags[i], i));
}

void collect(xml_tokenizer& tokens, PlotConfiguration& config) {
    collect_plot_tags(tokens, config.plot_tags);
    collect_file_tags(tokens, config.file_tags);
}

}  // namespace

void read(std::istream& in, PlotConfiguration& config) {
    xml_tokenizer tokens(in);
    collect(tokens, config);
    convert_all(config);
}

void read(const std::string& file_name, PlotConfiguration& config) {
    {
        xml_tokenizer tokens(file_name);
        collect(tokens, config);
    }
    convert_all(config);
}

}  // namespace tarvik::xml_parse
