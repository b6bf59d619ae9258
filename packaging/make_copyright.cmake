# Writes OUTPUT, the package's copyright file in Debian's machine-readable format, from the
# licence at LICENSE: its "Copyright (c)" line gives the holder, the text after it the terms.
# Debian calls the MIT licence "Expat".
file(READ "${LICENSE}" text)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)\n" copyright_line "${text}")
if(NOT copyright_line)
    message(FATAL_ERROR "${LICENSE} has no \"Copyright (c)\" line")
endif()
set(holder "${CMAKE_MATCH_1}")
string(FIND "${text}" "${copyright_line}" start)
string(LENGTH "${copyright_line}" length)
math(EXPR start "${start} + ${length}")
string(SUBSTRING "${text}" ${start} -1 terms)
string(STRIP "${terms}" terms)
if(terms STREQUAL "")
    message(FATAL_ERROR "${LICENSE} has no terms after its copyright line")
endif()

# A field's continuation lines start with a blank; an empty line is written " .".
string(REGEX REPLACE "\n[ \t]*\n" "\n.\n" terms "${terms}")
string(REGEX REPLACE "\n[ \t]*\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " terms "${terms}")

file(WRITE "${OUTPUT}" "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Tarvik

Files: *
Copyright: ${holder}
License: Expat
 ${terms}
")
