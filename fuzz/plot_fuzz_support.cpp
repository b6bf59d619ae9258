#include "plot_fuzz_support.h"

#include <QGuiApplication>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "capture.h"
#include "plot_renderer.h"
#include "png_writer.h"
#include "prompt.h"
#include "tarvik_doc.h"
#include "view_ranges.h"

namespace tarvik::fuzzing {

namespace {

// Every box answered as if it had been closed, without a word: the fuzzer's output stays
// its own.
class SilentPrompter : public prompt::Prompter {
  public:
    prompt::Button show(const std::string&, const std::string&, prompt::Icon,
                        prompt::Buttons buttons) override {
        return prompt::dismissal_answer(buttons);
    }
};

std::string folder;
std::string first_file;
std::string second_file;

void write_file(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    require(static_cast<bool>(out));
}

// A sine and a parabola, a few hundred points each.
std::string sine_lines() {
    std::string text = "# time sine cosine\n";
    for (int i = 0; i < 400; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "%.3f %.6f %.6f\n", i * 0.05, std::sin(i * 0.05),
                      std::cos(i * 0.05));
        text += line;
    }
    return text;
}

std::string parabola_lines() {
    std::string text;
    for (int i = -100; i <= 100; ++i)
        text += std::to_string(i) + "," + std::to_string(i * i) + "\n";
    return text;
}

// The picture as SaveImage makes it, written by the PNG writer into memory.
void capture(PlotViewState& state, CTarvikDoc& doc, int scroll) {
    const Gdi::dib image = capture_image(kWidth, kHeight, [&](QPainter& painter) {
        DrawParameters parameters;
        parameters.antialiased_text = false;
        painter.translate(-scroll, 0);
        draw_plot(painter, state.m_ClientRect, state, doc, parameters);
    });
    require(image.hbitmap());
    char* bytes = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&bytes, &size);
    require(stream != nullptr);
    char error_text[kPngErrorTextSize] = "";
    PngWriteRequest request;
    request.header = image.header();
    request.bits = image.bits();
    request.bits_size = image.image_size();
    request.software = "Tarvik";
    request.error_text = error_text;
    const int code = write_png_to(request, stream);
    std::fclose(stream);
    require(code == kPngSuccess && size > 8);
    std::free(bytes);
}

}  // namespace

void require(bool condition) {
    if (!condition)
        __builtin_trap();
}

void start() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "plot_fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
    static SilentPrompter prompter;
    prompt::install(&prompter);

    // In memory where there is a memory file system: a disk busy with other work once held
    // the writing of a data file past the time-out.
    char in_memory[] = "/dev/shm/tarvik-plot-fuzz-XXXXXX";
    char on_disk[] = "/tmp/tarvik-plot-fuzz-XXXXXX";
    const char* made = mkdtemp(in_memory);
    if (!made)
        made = mkdtemp(on_disk);
    require(made != nullptr);
    folder = made;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
    first_file = folder + "/a.txt";
    second_file = folder + "/b.txt";
    write_file(first_file, sine_lines());
    write_file(second_file, parabola_lines());
}

const std::string& scratch_folder() {
    return folder;
}
const std::string& first_data_file() {
    return first_file;
}
const std::string& second_data_file() {
    return second_file;
}

void draw_and_capture(CTarvikDoc& doc, FuzzView& view) {
    PlotViewState& state = view.state();
    capture(state, doc, 0);
    const XScrollbarChange change = enter_x_scrollbar_mode(state, doc);
    if (change.outcome == XScrollbarChange::Outcome::Entered) {
        extend_x_scrollbar(state, doc);
        capture(state, doc, change.scroll_position);
    }
}

}  // namespace tarvik::fuzzing

// The font configuration library keeps a few blocks it never frees once fonts are looked up;
// they are not this program's leaks.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
