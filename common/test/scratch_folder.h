// For tests that work on files: a fresh folder per test, and whole-file reads and writes.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testing_support {

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// An empty folder, removed with its contents afterwards. Its name holds the process's number and
// a count, so that no two folders are ever shared: not by two tests, nor by the same test run
// from two build folders at once (or by ctest in parallel), nor by fuzz targets side by side.
class ScratchFolder {
 public:
  ScratchFolder() : ScratchFolder(std::filesystem::temp_directory_path()) {}
  explicit ScratchFolder(const std::filesystem::path& base) {
    static std::atomic<int> count = 0;
    path_ = base / ("bwick-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  // Writes `bytes` to the file `name` in the folder and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    WriteBytes(File(name), bytes);
    return File(name);
  }

 private:
  std::filesystem::path path_;
};

}  // namespace testing_support
