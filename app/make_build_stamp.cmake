# Writes OUTPUT: a source file that holds the build time stamp, "Mon Jul  9 17:51:27 2007"
# (the day padded with a blank). Run on every build; only this small file is recompiled.
string(TIMESTAMP weekday "%a")
string(TIMESTAMP month "%b")
string(TIMESTAMP day "%d")
string(TIMESTAMP clock "%H:%M:%S")
string(TIMESTAMP year "%Y")
string(REGEX REPLACE "^0" " " day "${day}")
set(stamp "${weekday} ${month} ${day} ${clock} ${year}")
set(text "// Made by the build; do not edit.
#include \"app_identity.h\"

const std::string& tarvik::build_timestamp() {
    static const std::string stamp = \"${stamp}\";
    return stamp;
}
")
file(WRITE "${OUTPUT}.new" "${text}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
