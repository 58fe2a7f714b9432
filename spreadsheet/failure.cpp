#include "spreadsheet/failure.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "common/system_reason.h"

namespace spreadsheet {

Status Damaged(const std::string& file, const std::string& part, const std::string& reason) {
  return Status::Error("Не удалось прочитать файл «" + file + "»: " + part + ": " + reason);
}

Status CheckReadable(const std::string& path, const std::string& file) {
  std::FILE* probe = std::fopen(path.c_str(), "rb");
  if (probe == nullptr)
    return Status::NoInput("Не удалось открыть файл «" + file + "»: " + SystemReason(errno));
  std::fclose(probe);
  return Status::Ok();
}

std::string FileLabel(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

}  // namespace spreadsheet
