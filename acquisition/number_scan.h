// The two scan directives of a data line, applied the way the C library's scanner applies
// " %lf" and " %*s", but with the file format's number grammar: an optional sign, digits with
// an optional decimal point, an optional exponent. "nan", "inf" and hexadecimal numbers do not
// convert; a dangling exponent ("1e", "2E+") is left behind as text glued to the number. A NUL
// byte ends the text, as it ends a C string.
#pragma once

namespace tarvik {

// Which commas still count as blanks while scanning: the first `budget` commas of the line.
// Scanning moves left to right, so it counts the commas it passes. `adjacent` is set when a
// comma that counts as a blank is followed by another comma: that empty field needs the
// placeholder of the comma preparation, which this scan does not make.
struct CommaBudget {
    int budget = 0;
    int seen = 0;
    bool adjacent = false;
};

// " %lf": skips white space, then converts the longest number prefix. Returns false when no
// number starts there.
bool scan_number(const char*& p, const char* end, double& value, CommaBudget& commas);

// " %*s": skips white space, then a run of non-blank characters. False at the end of the text.
bool skip_field(const char*& p, const char* end, CommaBudget& commas);

// Converts the longest number prefix of [p, end) into value, correctly rounded. Returns its
// length, 0 when none.
int convert_number_prefix(const char* p, const char* end, double& value);

}  // namespace tarvik
