// The configuration reader on hand-made files: damaged, odd and hostile ones.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>

#include "configuration_writer.h"
#include "temp_dir.h"
#include "xml_parse.h"

namespace tarvik {
namespace {

// A saved plot with `curves` curves, its lines edited by the case.
std::string saved_plot(std::size_t curves = 1) {
    ConfigurationValues v;
    v.title = "T";
    v.curves.assign(curves, CurveValues{"d.txt", 0, 1, "sine", 1, 2, 3, 0, 1, 1, false, 1});
    return configuration_text(v);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string with_crlf(const std::string& text) {
    std::string out;
    for (const char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

struct Outcome {
    PlotConfiguration config;
    std::string missing_tag;  // the parse_error's text, if any
};

Outcome read_text(const std::string& text) {
    std::istringstream in(text);
    Outcome out;
    try {
        xml_parse::read(in, out.config);
    } catch (const parse_error& e) {
        out.missing_tag = e.what();
    }
    return out;
}

std::string junk(std::size_t bytes) {
    std::mt19937 rng(7);
    std::string s(bytes, '\0');
    for (char& c : s)
        c = static_cast<char>(rng());
    return s;
}

struct ReaderCase {
    const char* name;
    std::string file;
    const char* missing_tag;  // "" when the file reads
    std::function<void(const PlotConfiguration&)> check;
};

TEST(ConfigurationReader, HandMadeFiles) {
    using C = const PlotConfiguration&;
    const std::string plot = saved_plot();
    const std::string entry = plot.substr(plot.find(" <file_attributes"));
    const std::string many = replaced(saved_plot(25), "curves>25<", "curves>3<");
    const ReaderCase cases[] = {
        {"empty", "", "auto_x_range", {}},
        {"binary junk", junk(100000), "auto_x_range", {}},
        {"truncated", plot.substr(0, plot.find("  <font_name>")), "font_name", {}},
        {"tag without text", replaced(plot, ">lucida console<", "><"), "font_name", {}},
        {"blank inside plot_attributes",
         replaced(plot, "<plot_attributes>", "<plot_attributes >"),
         "auto_x_range",
         {}},
        {"missing file tag", replaced(plot, "<file>d.txt</file>", ""), "file", {}},
        {"CRLF", with_crlf(plot), "",
         [](C c) {
             EXPECT_EQ(c.title, "T");
             EXPECT_EQ(c.files.at(0).time_unit, "MINUTES");
         }},
        {"tags split across lines",
         replaced(replaced(plot, "<xmin>", "<xmin\n>"), "<font_name>", "<font_name>\n"), "",
         [](C c) {
             EXPECT_FALSE(c.x_minimum);
             EXPECT_EQ(c.font_name, "lucida console");
         }},
        {"lone < and unclosed <", replaced(plot, "  <grid>", "<\n  <grid\n  <grid>"), "",
         [](C c) { EXPECT_EQ(c.grid, false); }},
        {"duplicates and unknown tags",
         replaced(plot, "  <grid>", "<xticks>9</xticks><colour>red</colour>\n  <grid>"), "",
         [](C c) {
             EXPECT_EQ(c.x_ticks, 9);
             EXPECT_EQ(c.plot_tags.at("colour"), "red");
         }},
        {"junk after numbers, overflow, booleans",
         replaced(replaced(replaced(plot, ">5</xticks>", "> 7abc</xticks>"), ">5</yticks>",
                           ">2147483648</yticks>"),
                  "<xmin>0.0", "<xmin>-2.5e3x"),
         "",
         [](C c) {
             EXPECT_EQ(c.x_ticks, 7);
             EXPECT_FALSE(c.y_ticks);
             EXPECT_EQ(c.x_minimum, -2500.0);
         }},
        {"booleans other than 0 and 1",
         replaced(replaced(replaced(plot, "<grid>0", "<grid>2"), "<legend>0", "<legend>yes"),
                  "<maximized>0", "<maximized>1.9"),
         "",
         [](C c) {
             EXPECT_FALSE(c.grid);
             EXPECT_FALSE(c.legend);
             EXPECT_EQ(c.maximized, true);
         }},
        {"-1 tries wrap as an unsigned number",
         replaced(replaced(plot, ">4294967295<", ">-1<"), ">1000<", ">99999999999<"), "",
         [](C c) {
             EXPECT_EQ(c.max_timer_tries, 4294967295u);
             EXPECT_FALSE(c.timer_interval);
         }},
        {"more curves asked than present", replaced(plot, "curves>1<", "curves>2147483647<"), "",
         [](C c) { EXPECT_EQ(c.files.size(), 1u); }},
        {"negative number_of_curves", replaced(plot, "curves>1<", "curves>-4<"), "",
         [](C c) { EXPECT_TRUE(c.files.empty()); }},
        {"fewer asked than present", many, "",
         [](C c) {
             EXPECT_EQ(c.files.size(), 3u);
             EXPECT_FALSE(c.too_many_files);
         }},
        {"more than 20 entries", saved_plot(25), "",
         [](C c) {
             EXPECT_EQ(c.files.size(), 20u);
             EXPECT_TRUE(c.too_many_files);
         }},
        {"colours short of commas",
         replaced(replaced(replaced(plot, ">1,2,3<", ">255,9<"), "</plot>",
                           replaced(entry, ">1,2,3<", ">255x<")),
                  "curves>1<", "curves>2<"),
         "",
         [](C c) {
             const auto& f = c.files;
             EXPECT_EQ(f.at(0).red, 255);
             EXPECT_EQ(f.at(0).green, 9);
             EXPECT_FALSE(f.at(0).blue);
             EXPECT_EQ(f.at(1).red, 255);
             EXPECT_FALSE(f.at(1).green);
         }},
        {"entities", replaced(plot, ">sine<", ">&amp;lt; &unknown; &&gt;&quot;&apos;<"), "",
         [](C c) { EXPECT_EQ(c.files.at(0).line_title, "&lt; &unknown; &>\"'"); }},
        {"attribute splitting", replaced(plot, ">sine<", ">a b=\"c\"<"), "",
         [](C c) { EXPECT_EQ(c.files.at(0).line_title, "a"); }},
        {"blank line after a text tag", replaced(plot, "T</title>\n", "T</title>\n\n"), "",
         [](C c) { EXPECT_EQ(c.title, ""); }},
        {"last line without a line feed", plot.substr(0, plot.size() - 1), "", {}},
    };
    for (const ReaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome out = read_text(c.file);
        EXPECT_EQ(out.missing_tag, c.missing_tag);
        if (c.check && out.missing_tag.empty())
            c.check(out.config);
    }
}

// A 10 MB line of attribute-like text reads in linear time.
TEST(ConfigurationReader, HugeLineDoesNotHang) {
    std::string text = saved_plot();
    std::string line = " <file_attributes id=\"";
    while (line.size() < 10'000'000)
        line += "=\"";
    text = replaced(text, " <file_attributes id=\"0\">", line + ">");
    const Outcome out = read_text(text);
    EXPECT_EQ(out.missing_tag, "");
    EXPECT_EQ(out.config.files.size(), 1u);
}

TEST(ConfigurationReader, UnopenableConfigurationThrows) {
    testing::TempDir dir;
    for (const std::string& path : {dir.path(), dir.file("missing.xml")}) {
        PlotConfiguration c;
        EXPECT_THROW(xml_parse::read(path, c), xml_tokenizer::tokenizer_exception) << path;
    }
}

}  // namespace
}  // namespace tarvik
