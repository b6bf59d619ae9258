// Any bytes as a configuration file, through the whole path a saved picture takes: the reader,
// the load into a plot over two small data files, a 320 x 240 draw (also scrolled in
// x-scrollbar mode), the 16-colour capture and the PNG writer. Nothing may crash, take longer
// than the time-out or more memory than the limit, and the loaded settings are kept as read,
// so that the configuration written back holds what it held.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "load_configuration.h"
#include "plot_fuzz_support.h"
#include "tarvik_doc.h"
#include "xml_parse.h"

namespace {

using namespace tarvik;

// Entries read one of the two data files ("b.txt" names the second, anything else by turns):
// the file name is not what this target explores, and a name like /dev/zero would only make
// it wait.
void use_scratch_files(PlotConfiguration& config) {
    for (std::size_t i = 0; i < config.files.size(); ++i) {
        FileConfiguration& f = config.files[i];
        const bool second = f.file == "b.txt" || (f.file != "a.txt" && i % 2 == 1);
        f.file = second ? fuzzing::second_data_file() : fuzzing::first_data_file();
    }
}

template <typename T, typename U>
void require_kept(const std::optional<T>& read, const U& held) {
    if (read)
        fuzzing::require(*read == static_cast<T>(held));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    PlotConfiguration config;
    try {
        xml_parse::read(in, config);
    } catch (const parse_error&) {
        return 0;
    }
    use_scratch_files(config);

    fuzzing::FuzzView view;
    CTarvikDoc doc(&view);
    if (!build_from_configuration(doc, config))
        return 0;
    const PlotViewState& state = view.state();
    require_kept(config.x_ticks, state.m_XTicks);
    require_kept(config.y_ticks, state.m_YTicks);
    require_kept(config.x_precision, state.m_XPrecision);
    require_kept(config.y_precision, state.m_YPrecision);
    require_kept(config.font_size, state.m_FontSize);
    require_kept(config.max_timer_tries, state.m_MaxTries);
    fuzzing::draw_and_capture(doc, view);
    return 0;
}
