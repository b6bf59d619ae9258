#include "configuration_writer.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "atomic_file.h"
#include "enumerations.h"

namespace tarvik {

namespace {

constexpr std::string_view kVersion = "0.68.0.0";

class LineWriter {
  public:
    explicit LineWriter(std::string& out) : out_(out) {}

    void line(std::string_view text) {
        out_.append(text);
        out_.push_back('\n');
    }
    // indent, "<name>", value, "</name>"
    void value(std::string_view indent, std::string_view name, std::string_view v) {
        out_.append(indent).append("<").append(name).append(">");
        out_.append(v);
        out_.append("</").append(name).append(">\n");
    }
    void text(std::string_view indent, std::string_view name, std::string_view v) {
        value(indent, name, escape_text(v));
    }
    void number(std::string_view indent, std::string_view name, std::int64_t v) {
        value(indent, name, std::to_string(v));
    }
    void flag(std::string_view indent, std::string_view name, bool v) {
        value(indent, name, v ? "1" : "0");
    }

  private:
    std::string& out_;
};

constexpr std::string_view kPlotIndent = "  ";
constexpr std::string_view kFileIndent = "  ";

void write_plot_attributes(LineWriter& w, const ConfigurationValues& v) {
    const std::string_view in = kPlotIndent;
    const bool x_scientific = range_is_scientific(v.x_minimum, v.x_maximum);
    const bool y_scientific = range_is_scientific(v.y_minimum, v.y_maximum);
    w.line(" <plot_attributes>");
    w.flag(in, "auto_x_range", v.auto_x_range);
    w.value(in, "xmin", format_real(v.x_minimum, x_scientific));
    w.value(in, "xmax", format_real(v.x_maximum, x_scientific));
    w.flag(in, "auto_y_range", v.auto_y_range);
    w.value(in, "ymin", format_real(v.y_minimum, y_scientific));
    w.value(in, "ymax", format_real(v.y_maximum, y_scientific));
    w.number(in, "xticks", v.x_ticks);
    w.number(in, "yticks", v.y_ticks);
    w.flag(in, "grid", v.grid);
    w.number(in, "timer_interval", static_cast<std::uint32_t>(v.timer_interval));
    w.number(in, "max_timer_tries", v.max_timer_tries);
    w.number(in, "number_of_curves", static_cast<std::int64_t>(v.curves.size()));
    w.number(in, "xprec", v.x_precision);
    w.number(in, "yprec", v.y_precision);
    // An unknown format writes nothing between its tags.
    w.value(in, "xformat", number_format_text(v.x_format));
    w.value(in, "yformat", number_format_text(v.y_format));
    w.flag(in, "maximized", v.maximized);
    w.flag(in, "auto_x_scroll", v.auto_x_scroll);
    w.flag(in, "legend", v.legend);
    w.text(in, "title", v.title);
    w.text(in, "xlabel", v.x_label);
    w.text(in, "ylabel", v.y_label);
    w.text(in, "font_name", v.font_name);
    w.number(in, "font_size", v.font_size);
    w.line(" </plot_attributes>");
}

void write_curve(LineWriter& w, std::size_t index, const CurveValues& c) {
    const std::string_view in = kFileIndent;
    w.line(" <file_attributes id=\"" + std::to_string(index) + "\">");
    w.text(in, "file", c.file);
    w.number(in, "xcol", c.x_column);
    w.number(in, "ycol", c.y_column);
    w.text(in, "line_title", c.title);
    w.value(in, "line_color",
            std::to_string(static_cast<std::uint32_t>(c.red)) + ',' +
                std::to_string(static_cast<std::uint32_t>(c.green)) + ',' +
                std::to_string(static_cast<std::uint32_t>(c.blue)));
    w.value(in, "line_style", line_style_text(c.style));
    w.number(in, "line_size", c.line_size);
    w.number(in, "point_size", c.point_size);
    w.flag(in, "add_only", c.add_only);
    w.value(in, "time_unit", time_unit_text(c.time_unit));
    w.line(" </file_attributes>");
}

}  // namespace

bool range_is_scientific(double low, double high) {
    return !(std::fabs(low) <= 1e6 && std::fabs(high) <= 1e6);
}

std::string format_real(double value, bool scientific) {
    char buffer[400];  // the longest fixed form of a value within a million is 24 characters
    const int n = std::snprintf(buffer, sizeof buffer, scientific ? "%.15e" : "%.15f", value);
    std::string text(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
    // The C library writes at least two exponent digits; the files hold at least three.
    const std::size_t e = text.find('e');
    if (e != std::string::npos && e + 2 < text.size()) {
        const std::size_t digits = text.size() - (e + 2);
        if (digits < 3)
            text.insert(e + 2, 3 - digits, '0');
    }
    return text;
}

std::string escape_text(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

std::string configuration_text(const ConfigurationValues& values) {
    std::string out;
    out.reserve(1100 + 330 * values.curves.size());
    LineWriter w(out);
    w.line("<plot>");
    w.value(" ", "version", kVersion);
    write_plot_attributes(w, values);
    for (std::size_t i = 0; i < values.curves.size(); ++i)
        write_curve(w, i, values.curves[i]);
    w.line("</plot>");
    return out;
}

bool save_configuration(const std::string& path, const ConfigurationValues& values,
                        std::string& error) {
    const std::string text = configuration_text(values);
    return write_file_atomically(
        path,
        [&text](std::FILE* f) {
            return std::fwrite(text.data(), 1, text.size(), f) == text.size();
        },
        error);
}

}  // namespace tarvik
