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

bool HasExtension(const std::string& path, std::string_view extension) {
  return EqualsIgnoringAsciiCase(std::filesystem::path(path).extension().string(), extension);
}
