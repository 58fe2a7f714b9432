#include "spreadsheet/failure.h"

#include <filesystem>

#include "common/system_reason.h"

namespace spreadsheet {

Status Damaged(const std::string& file, const std::string& part, const std::string& reason) {
  return Status::Error("Не удалось прочитать файл «" + file + "»: " + part + ": " + reason);
}

Status CannotOpen(const std::string& file, int error_number) {
  return Status::NoInput("Не удалось открыть файл «" + file + "»: " + SystemReason(error_number));
}

std::string FileLabel(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

}  // namespace spreadsheet
