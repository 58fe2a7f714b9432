// Helpers shared by the fuzz targets: a scratch file that holds one input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/test/scratch_folder.h"

namespace fuzz {

// The path of `name` in a scratch folder of the process, memory-backed where the system offers
// one; the folder goes when the process ends normally.
inline std::string ScratchPath(const std::string& name) {
  static const testing_support::ScratchFolder folder(std::filesystem::exists("/dev/shm")
                                                         ? std::filesystem::path("/dev/shm")
                                                         : std::filesystem::temp_directory_path());
  return folder.File(name);
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

}  // namespace fuzz
