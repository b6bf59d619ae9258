// Any bytes as the data file a plot reads, through the whole path: the first read, a refresh
// after more lines arrived, the automatic ranges and x scrolling, a 320 x 240 draw (also
// scrolled in x-scrollbar mode), the 16-colour capture and the PNG writer.
//
// Input: one byte of settings, one byte saying how often the rest is repeated, the rest. The
// repetition lets small inputs make large files, up to kLargestFile bytes: tens of thousands of
// lines. Larger files come close to the time-out under the fuzzer's instrumentation alone
// (a quarter of a megabyte takes about a second); the table test reads millions of lines at
// full speed.
//   settings bits 0-1: x column 0, 1, 2 or -1 (elapsed time); bits 2-3: y column 0 to 3;
//   bit 4: new lines only (add-only); bit 5: automatic x scroll; bit 6: three generations.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "automatic_range.h"
#include "plot_fuzz_support.h"
#include "tarvik_doc.h"
#include "view_ranges.h"

namespace {

using namespace tarvik;

constexpr std::size_t kLargestFile = 64u << 10;

void write_file(const std::string& path, const std::string& text, bool append) {
    std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    out << text;
    fuzzing::require(static_cast<bool>(out));
}

std::string repeated(const std::string& body, int exponent) {
    std::string text;
    if (body.empty())
        return text;
    const std::size_t times = std::size_t{1} << exponent;
    const std::size_t length = std::min(kLargestFile, body.size() * times);
    text.reserve(length);
    while (text.size() < length)
        text.append(body, 0, std::min(body.size(), length - text.size()));
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::uint8_t settings = data[0];
    const int exponent = data[1] % 23;
    const std::string body(reinterpret_cast<const char*>(data) + 2, size - 2);
    const int x_columns[] = {0, 1, 2, -1};
    const int x_column = x_columns[settings & 3];
    const int y_column = (settings >> 2) & 3;
    const bool add_only = (settings & 0x10) != 0;

    const std::string file = fuzzing::scratch_folder() + "/data.txt";
    // The first read sees the first half; the refresh finds the rest appended.
    const std::string text = repeated(body, exponent);
    write_file(file, text.substr(0, text.size() / 2), false);

    fuzzing::FuzzView view;
    PlotViewState& state = view.state();
    state.m_AutoXScroll = (settings & 0x20) != 0;
    CTarvikDoc doc(&view);
    fuzzing::require(doc.append_curve(file, x_column, y_column, "data", add_only));
    fuzzing::require(doc.append_curve(fuzzing::second_data_file(), 0, 1, "parabola", false));
    if (settings & 0x40)
        fuzzing::require(doc.resize_history(0, 3));
    apply_automatic_x_range(state, doc);
    apply_automatic_y_range(state, doc);

    write_file(file, text.substr(text.size() / 2), true);
    doc.refresh_curve(0);
    if (state.m_AutoXScroll)
        auto_x_scroll(state, doc);
    fuzzing::draw_and_capture(doc, view);
    return 0;
}
