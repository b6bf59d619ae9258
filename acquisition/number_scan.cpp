#include "number_scan.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace tarvik {

namespace {

// isspace in the C locale.
inline bool is_blank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
inline bool is_digit(char c) {
    return static_cast<unsigned char>(c - '0') <= 9;
}

// A comma counts as a blank while the budget lasts.
inline bool is_separator(char c, const CommaBudget& commas) {
    return is_blank(c) || (c == ',' && commas.seen < commas.budget);
}

// Only here are separators consumed, so only here are commas counted.
inline void skip_blanks(const char*& p, const char* end, CommaBudget& commas) {
    while (p != end && is_separator(*p, commas)) {
        if (*p == ',') {
            ++commas.seen;
            if (p + 1 != end && p[1] == ',')
                commas.adjacent = true;
        }
        ++p;
    }
}

constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kExactMantissaLimit = std::uint64_t{1} << 53;
constexpr int kMaxMantissaDigits = 19;

// The general conversion, for what the exact shortcut cannot take.
double convert_slowly(const char* p, int length) {
    const char* start = (*p == '+') ? p + 1 : p;
    double value = 0.0;
    const auto result = std::from_chars(start, p + length, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow and underflow convert as the C library converts them.
        const std::string text(p, static_cast<std::size_t>(length));
        value = std::strtod(text.c_str(), nullptr);
    }
    return value;
}

}  // namespace

int convert_number_prefix(const char* p, const char* end, double& value) {
    const char* q = p;
    const bool negative = q != end && *q == '-';
    if (q != end && (*q == '+' || *q == '-'))
        ++q;
    // The mantissa gathers every digit; it is only used when there are few enough of them.
    std::uint64_t mantissa = 0;
    const char* const integer_digits = q;
    while (q != end && is_digit(*q))
        mantissa = mantissa * 10 + static_cast<unsigned>(*q++ - '0');
    const auto integer_count = q - integer_digits;
    std::ptrdiff_t fraction_count = 0;
    if (q != end && *q == '.') {
        const char* const fraction_digits = ++q;
        while (q != end && is_digit(*q)) {
            mantissa = mantissa * 10 + static_cast<unsigned>(*q++ - '0');
        }
        fraction_count = q - fraction_digits;
    }
    if (integer_count == 0 && fraction_count == 0)
        return 0;

    int exponent = 0;
    if (q != end && (*q == 'e' || *q == 'E')) {
        const char* e = q + 1;
        const bool exponent_negative = e != end && *e == '-';
        if (e != end && (*e == '+' || *e == '-'))
            ++e;
        if (e != end && is_digit(*e)) {
            while (e != end && is_digit(*e)) {
                if (exponent < 100000)
                    exponent = exponent * 10 + (*e - '0');
                ++e;
            }
            if (exponent_negative)
                exponent = -exponent;
            q = e;
        }
    }
    const int length = static_cast<int>(q - p);
    const int scale = exponent - static_cast<int>(fraction_count);
    if (integer_count + fraction_count <= kMaxMantissaDigits && mantissa < kExactMantissaLimit &&
        scale >= -22 && scale <= 22) {
        // Both the mantissa and the power of ten are exact doubles: one rounding only.
        const double m = static_cast<double>(mantissa);
        const double v = scale < 0 ? m / kExactPowersOfTen[-scale] : m * kExactPowersOfTen[scale];
        value = negative ? -v : v;
    } else {
        value = convert_slowly(p, length);
    }
    return length;
}

bool scan_number(const char*& p, const char* end, double& value, CommaBudget& commas) {
    skip_blanks(p, end, commas);
    const int length = convert_number_prefix(p, end, value);
    p += length;
    return length != 0;
}

bool skip_field(const char*& p, const char* end, CommaBudget& commas) {
    skip_blanks(p, end, commas);
    if (p == end || *p == '\0')
        return false;
    while (p != end && *p != '\0' && !is_separator(*p, commas))
        ++p;
    return true;
}

}  // namespace tarvik
