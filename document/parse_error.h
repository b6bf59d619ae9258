// A configuration file that lacks a required tag. Whoever builds a plot from one lets it
// escape; the document's initialisation shows it as "Error in XML tag: " and its text.
#pragma once

#include <stdexcept>

namespace tarvik {

struct parse_error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace tarvik
