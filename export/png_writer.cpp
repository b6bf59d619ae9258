#include "png_writer.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dib_layout.h"
#include "png_rows.h"

namespace tarvik {

namespace {

const char* const kResultTexts[] = {
    "",
    "Unknown error",
    "Incompatible library version",
    "Unable to allocate memory",
    "Invalid or unsupported image",
    "libpng reported an error",
    "Invalid BMP image",
    "Invalid PNG image",
    "Unable to read file",
    "Unable to write file",
};

void set_error_text(const PngWriteRequest& request, const char* text) {
    if (request.error_text)
        std::snprintf(request.error_text, kPngErrorTextSize, "%s", text);
}

// Everything the libpng part needs, kept outside its frame so a longjmp skips no destructor
// and leaves no handle unaccounted for.
struct PngJob {
    const PngWriteRequest* request;
    const DibLayout* layout;
    std::uint8_t* row_buffer;
    std::FILE* file;  // closed by the caller on every path
    png_structp png;
    png_infop info;
};

[[noreturn]] void on_error(png_structp png, png_const_charp message) {
    const auto* job = static_cast<const PngJob*>(png_get_error_ptr(png));
    if (job->request->error_text)
        std::snprintf(job->request->error_text, kPngErrorTextSize, "[libpng] %s", message);
    png_longjmp(png, 1);
}

void on_warning(png_structp, png_const_charp) {}

bool with_alpha(const PngJob& job) {
    return job.layout->bits_per_pixel == 32 && (job.request->flags & kPngAlpha) != 0;
}

void set_header(const PngJob& job) {
    const DibLayout& l = *job.layout;
    const bool palette = l.bits_per_pixel <= 8;
    const int colour_type = palette           ? PNG_COLOR_TYPE_PALETTE
                            : with_alpha(job) ? PNG_COLOR_TYPE_RGB_ALPHA
                                              : PNG_COLOR_TYPE_RGB;
    const int interlace =
        (job.request->flags & kPngInterlaced) ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE;
    png_set_IHDR(job.png, job.info, static_cast<png_uint_32>(l.width),
                 static_cast<png_uint_32>(l.height), palette ? l.bits_per_pixel : 8, colour_type,
                 interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if ((job.request->flags & kPngNoGammaLabels) == 0) {
        png_set_gAMA(job.png, job.info, 0.45455);
        png_set_sRGB(job.png, job.info, PNG_sRGB_INTENT_RELATIVE);
    }
    if (l.bits_per_pixel == 16) {
        png_color_8 significant{};
        significant.red = 5;
        significant.green = l.green_6_bits ? 6 : 5;
        significant.blue = 5;
        png_set_sBIT(job.png, job.info, &significant);
    }
    if (l.x_pixels_per_metre > 0 && l.y_pixels_per_metre > 0)
        png_set_pHYs(job.png, job.info, static_cast<png_uint_32>(l.x_pixels_per_metre),
                     static_cast<png_uint_32>(l.y_pixels_per_metre), PNG_RESOLUTION_METER);
    if (!l.colours.empty()) {
        // A palette image holds at most 2^depth entries; a longer colour table is cut.
        const std::size_t limit = palette ? std::size_t{1} << l.bits_per_pixel : 256;
        const std::size_t count = std::min(l.colours.size(), limit);
        png_color entries[256];
        for (std::size_t i = 0; i < count; ++i) {
            entries[i].red = static_cast<png_byte>(l.colours[i].red);
            entries[i].green = static_cast<png_byte>(l.colours[i].green);
            entries[i].blue = static_cast<png_byte>(l.colours[i].blue);
        }
        png_set_PLTE(job.png, job.info, entries, static_cast<int>(count));
    }
}

void write_rows(const PngJob& job) {
    const int passes = png_set_interlace_handling(job.png);
    const bool alpha = with_alpha(job);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < job.layout->height; ++y)
            png_write_row(job.png, png_row(*job.layout, y, alpha, job.row_buffer));
}

// Set after the image data, so png_write_end places the chunk after IDAT.
void set_software_text(const PngJob& job) {
    if (job.request->software == nullptr)
        return;
    char keyword[] = "Software";
    png_text text{};
    text.compression = PNG_TEXT_COMPRESSION_NONE;
    text.key = keyword;
    // libpng copies the text and never writes through this pointer.
    text.text = const_cast<char*>(job.request->software);
    text.text_length = std::strlen(job.request->software);
    png_set_text(job.png, job.info, &text, 1);
}

// Only plain data lives in this frame: libpng's errors longjmp back to the setjmp below.
int write_with_libpng(PngJob& job) {
    job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &job, on_error, on_warning);
    if (job.png == nullptr)
        return kPngNoMemory;
    job.info = png_create_info_struct(job.png);
    if (job.info == nullptr) {
        png_destroy_write_struct(&job.png, nullptr);
        return kPngNoMemory;
    }
    if (setjmp(png_jmpbuf(job.png))) {
        png_destroy_write_struct(&job.png, &job.info);
        return kPngLibraryError;
    }
    if (job.file == nullptr)
        job.file = job.request->file_name ? std::fopen(job.request->file_name, "wb") : nullptr;
    if (job.file == nullptr) {
        png_destroy_write_struct(&job.png, &job.info);
        return kPngCannotWrite;
    }
    png_init_io(job.png, job.file);
    set_header(job);
    png_write_info(job.png, job.info);
    write_rows(job);
    set_software_text(job);
    png_write_end(job.png, job.info);
    png_destroy_write_struct(&job.png, &job.info);
    return kPngSuccess;
}

// stream: the caller's open stream, or null to open request.file_name here.
int write_checked(const PngWriteRequest& request, std::FILE* stream) {
    if (request.struct_size != kPngWriteRequestSize)
        return kPngIncompatibleVersion;
    DibLayout layout;
    std::string message;
    if (const int code = read_dib_layout(request, layout, message); code != kPngSuccess) {
        set_error_text(request, message.c_str());
        return code;
    }
    std::vector<std::uint8_t> row_buffer(png_row_buffer_size(layout));
    PngJob job{&request, &layout, row_buffer.data(), stream, nullptr, nullptr};
    int code = write_with_libpng(job);
    if (stream != nullptr) {
        if (code == kPngSuccess && (std::fflush(stream) != 0 || std::ferror(stream) != 0))
            code = kPngCannotWrite;
        return code;
    }
    if (job.file && std::fclose(job.file) != 0 && code == kPngSuccess)
        code = kPngCannotWrite;
    return code;
}

}  // namespace

const char* png_result_text(int code) {
    if (code < 0 || code >= static_cast<int>(std::size(kResultTexts)))
        return kResultTexts[kPngUnknownError];
    return kResultTexts[code];
}

namespace {

int write_reporting(const PngWriteRequest& request, std::FILE* stream) {
    // Only the failure at hand is reported.
    if (request.error_text)
        request.error_text[0] = '\0';
    const int code = write_checked(request, stream);
    if (code != kPngSuccess && request.error_text && request.error_text[0] == '\0')
        set_error_text(request, png_result_text(code));
    return code;
}

}  // namespace

int write_png(const PngWriteRequest& request) {
    return write_reporting(request, nullptr);
}

int write_png_to(const PngWriteRequest& request, std::FILE* stream) {
    if (stream == nullptr) {
        if (request.error_text)
            std::snprintf(request.error_text, kPngErrorTextSize, "%s",
                          png_result_text(kPngCannotWrite));
        return kPngCannotWrite;
    }
    return write_reporting(request, stream);
}

}  // namespace tarvik
