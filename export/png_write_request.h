// The parameter record of the PNG writer and its result codes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvik {

// The record's size where it was first defined (32-bit fields); a caller states it in
// struct_size so the writer knows which record it was given.
inline constexpr std::uint32_t kPngWriteRequestSize = 36;
// Least size of an error text buffer; the writer puts at most one less characters in it.
inline constexpr std::size_t kPngErrorTextSize = 100;

inline constexpr std::uint32_t kPngInterlaced = 1u << 0;
inline constexpr std::uint32_t kPngNoGammaLabels = 1u << 1;
inline constexpr std::uint32_t kPngAlpha = 1u << 4;  // a 32-bit image's fourth byte is alpha

struct PngWriteRequest {
    std::uint32_t struct_size = kPngWriteRequestSize;
    std::uint32_t flags = 0;
    const char* file_name = nullptr;
    // Bitmap information header and colour table; the bits follow them when `bits` is null.
    const void* header = nullptr;
    std::size_t header_size = 0;  // 0: not given
    const void* bits = nullptr;
    std::size_t bits_size = 0;       // 0: not given
    const char* software = nullptr;  // text of a "Software" chunk, or null for none
    char* error_text = nullptr;      // at least kPngErrorTextSize characters, or null
};

enum PngResult : int {
    kPngSuccess = 0,
    kPngUnknownError = 1,
    kPngIncompatibleVersion = 2,
    kPngNoMemory = 3,
    kPngUnsupportedImage = 4,
    kPngLibraryError = 5,
    kPngInvalidBmp = 6,
    kPngInvalidPng = 7,
    kPngCannotRead = 8,
    kPngCannotWrite = 9,
};

// The text shown for a result code when nothing more precise was said.
const char* png_result_text(int code);

}  // namespace tarvik
