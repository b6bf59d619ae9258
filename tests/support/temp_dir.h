// A scratch folder for a test, removed with everything in it when the test ends.
#pragma once

#include <string>
#include <string_view>

namespace tarvik::testing {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const;
    // Writes (replaces) or appends bytes to a file in this folder; returns its path.
    std::string write(std::string_view name, std::string_view bytes) const;
    std::string append(std::string_view name, std::string_view bytes) const;

  private:
    std::string path_;
};

std::string read_file_bytes(const std::string& path);

}  // namespace tarvik::testing
