#include "designer/model/int_text.h"

#include <string>

namespace designer {

StatusOr<std::int32_t> ParseInt32(std::string_view utf8_text) {
  std::string_view digits = utf8_text;
  const bool negative = !digits.empty() && digits.front() == '-';
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
    digits.remove_prefix(1);
  }
  // The magnitude of the smallest value is one more than that of the largest.
  const std::int64_t limit = negative ? std::int64_t{INT32_MAX} + 1 : INT32_MAX;
  std::int64_t magnitude = 0;
  bool valid = !digits.empty();
  for (const char c : digits) {
    if (c < '0' || c > '9') {
      valid = false;
      break;
    }
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) {
      valid = false;
      break;
    }
  }
  if (!valid) {
    return Status::Error("«" + std::string(utf8_text) + "» — не целое число");
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace designer
