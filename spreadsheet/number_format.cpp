#include "spreadsheet/number_format.h"

namespace spreadsheet {
namespace {

std::optional<DateStyle> BuiltInStyle(int id) {
  if ((id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 36) || (id >= 50 && id <= 58))
    return DateStyle::kDate;
  if ((id >= 18 && id <= 21) || (id >= 45 && id <= 47)) return DateStyle::kTime;
  return std::nullopt;
}

}  // namespace

std::optional<DateStyle> DateStyleOfFormat(int id, std::string_view code) {
  if (code.empty()) return BuiltInStyle(id);
  bool date = false, time = false;
  // Only the first section counts (the one for positive numbers); quoted text, escaped and
  // padding characters and bracketed colours and locales are no date parts. Elapsed time
  // ("[h]:mm") is a time.
  for (std::size_t at = 0; at < code.size() && code[at] != ';'; ++at) {
    const char c = code[at];
    if (c == '"') {
      at = code.find('"', at + 1);
      if (at == std::string_view::npos) break;
    } else if (c == '\\' || c == '_' || c == '*') {
      ++at;
    } else if (c == '[') {
      const std::size_t close = code.find(']', at);
      if (close == std::string_view::npos) break;
      const char first = at + 1 < close ? static_cast<char>(code[at + 1] | 0x20) : ' ';
      time = time || first == 'h' || first == 'm' || first == 's';
      at = close;
    } else {
      const char lower = static_cast<char>(c | 0x20);
      date = date || lower == 'y' || lower == 'd';
      time = time || lower == 'h' || lower == 's';
    }
  }
  if (date) return DateStyle::kDate;
  if (time) return DateStyle::kTime;
  return std::nullopt;
}

}  // namespace spreadsheet
