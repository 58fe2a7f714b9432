#include "common/file_extension.h"

#include <filesystem>

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

FileKind FileKindOf(const std::string& path) {
  // From the last "." of the file name, so that a file named ".db" is a database too.
  const std::string name = std::filesystem::path(path).filename().string();
  const std::size_t dot = name.rfind('.');
  const std::string_view extension =
      dot == std::string::npos ? std::string_view() : std::string_view(name).substr(dot);
  const auto is = [&extension](std::string_view e) {
    return EqualsIgnoringAsciiCase(extension, e);
  };
  if (is(".csv") || is(".txt") || is(".tsv")) return FileKind::kCsv;
  if (is(".xlsx") || is(".ods") || is(".xls") || is(".dbf")) return FileKind::kWorkbook;
  if (is(".fsr")) return FileKind::kSourceFile;
  if (is(".db")) return FileKind::kDatabase;
  if (is(".fdb") || is(".zdb")) return FileKind::kPackedBook;
  return FileKind::kOther;
}

bool HasExtension(const std::string& path, std::string_view extension) {
  return EqualsIgnoringAsciiCase(std::filesystem::path(path).extension().string(), extension);
}
