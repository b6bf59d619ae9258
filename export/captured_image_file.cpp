#include "captured_image_file.h"

#include <cstdio>

#include "atomic_file.h"
#include "bmp_writer.h"
#include "capture.h"
#include "png_writer.h"
#include "prompt.h"

namespace tarvik {

namespace {

// The PNG writer's error text, shared by every save of the process.
char png_error_text[kPngErrorTextSize];

void show_error(const std::string& text) {
    prompt::show(text, "Error", prompt::Icon::Warning, prompt::Buttons::Ok);
}

bool save_png(const Gdi::dib& image, const std::string& file) {
    PngWriteRequest request;
    request.struct_size = kPngWriteRequestSize;
    request.flags = 0;
    request.file_name = file.c_str();
    request.header = image.header();
    request.header_size = 0;
    request.bits = image.bits();
    request.bits_size = image.image_size();
    request.software = "Tarvik";
    request.error_text = png_error_text;
    png_error_text[0] = '\0';
    int code = kPngCannotWrite;
    std::string reason;
    const bool replaced = write_file_atomically(
        file,
        [&](std::FILE* stream) {
            code = write_png_to(request, stream);
            return code == kPngSuccess;
        },
        reason);
    if (replaced)
        return true;
    if (code == kPngSuccess || png_error_text[0] == '\0') {
        // The writer succeeded, or never ran: the temporary file could not be made or renamed.
        std::snprintf(png_error_text, kPngErrorTextSize, "%s", png_result_text(kPngCannotWrite));
    }
    show_error(png_error_text);
    return false;
}

// Failures are reported on standard error, as the writer does.
bool save_bmp(const Gdi::dib& image, const std::string& file) {
    bool ran = false;
    bool written = false;
    std::string reason;
    const bool replaced = write_file_atomically(
        file,
        [&](std::FILE* stream) {
            ran = true;
            written = write_bmp_to(image, stream, file);
            return written;
        },
        reason);
    if (replaced)
        return true;
    if (!ran)
        std::fprintf(stderr, "I/O error openning file %s \n", file.c_str());
    else if (written)  // written whole, but it could not take the file's place
        std::fprintf(stderr, "I/O error writing file %s \n", file.c_str());
    return false;
}

}  // namespace

bool write_captured_image(int client_width, int client_height,
                          const std::function<void(QPainter&)>& draw, const std::string& file,
                          int format) {
    if (format != kImageFormatPng && format != kImageFormatBmp) {
        prompt::show("Unsupported extension", prompt::kApplicationTitle, prompt::Icon::None,
                     prompt::Buttons::Ok);
        return false;
    }
    const Gdi::dib image = capture_image(client_width, client_height, draw);
    if (!image.hbitmap()) {
        show_error(png_result_text(kPngNoMemory));
        return false;
    }
    if (format == kImageFormatPng)
        return save_png(image, file);
    return save_bmp(image, file);
}

}  // namespace tarvik
