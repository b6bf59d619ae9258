// Writes a file so that it is either replaced whole or left as it was: the bytes go to a
// temporary file in the same folder, which is flushed to disk and then renamed over the
// target. Readers never see half a file; a full disk or a vanished folder loses nothing.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace tarvik {

// write puts the contents into the stream it is given and returns false if it could not.
// On any failure the target is untouched, the temporary file is removed, and error holds the
// system's reason (strerror text). An existing target keeps its permissions; a symbolic link
// is followed, so the file it names is replaced and the link stays.
bool write_file_atomically(const std::string& path, const std::function<bool(std::FILE*)>& write,
                           std::string& error);

}  // namespace tarvik
