#include "common/same_file.h"

#include <filesystem>
#include <system_error>

bool SameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::equivalent(a, b, error)) return true;
  const fs::path normal_a = fs::absolute(a, error).lexically_normal();
  if (error) return true;
  const fs::path normal_b = fs::absolute(b, error).lexically_normal();
  return error || normal_a == normal_b;
}
