// Helpers shared by the fuzz targets: a scratch file that holds one input, and a reporter that
// drops everything the conversions say.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "builder/convert/reporter.h"

namespace fuzz {

// A scratch folder of its own per process (memory-backed where the system offers one), so
// targets running side by side never share a file; removed when the process ends normally.
class ScratchFolder {
 public:
  ScratchFolder() {
    const std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    path_ = base / ("bwick-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string ScratchPath(const std::string& name) {
  static const ScratchFolder folder;
  return (folder.path() / name).string();
}

// Writes the input to `path`; aborts when the scratch folder cannot hold it, since a target
// that silently tests nothing would hide faults.
inline void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
    std::perror(path.c_str());
    std::abort();
  }
}

struct SilentReporter : builder::Reporter {
  void StatusText(const std::string&) override {}
  void ErrorMessage(const std::string&, const std::string&) override {}
};

}  // namespace fuzz
