#include "designer/model/header_values.h"

#include "format/source_grammar.h"

namespace designer {
namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsControl(char c) { return static_cast<unsigned char>(c) < ' '; }

}  // namespace

bool HasLineBreak(std::string_view value) {
  return value.find_first_of("\r\n") != std::string_view::npos;
}

Status CheckHeaderValue(std::string_view value, const std::string& what) {
  if (format::IsCommentLine(value)) {
    return Status::Refusal(what +
                           " начинается с символа \";\", который в исходном файле "
                           "означает комментарий. Измените его.");
  }
  for (const char c : value) {
    if (IsLineBreak(c)) return Status::Refusal(what + " содержит перевод строки. Измените его.");
    if (IsControl(c)) {
      return Status::Refusal(what + " содержит управляющий символ с кодом " +
                             std::to_string(static_cast<int>(c)) + ". Измените его.");
    }
  }
  return Status::Ok();
}

Status CheckSplitter(std::string_view splitter) {
  if (splitter.size() != 1 || (IsControl(splitter[0]) && splitter[0] != '\t')) {
    return Status::Refusal("Символ-разделитель полей не задан или недопустим.");
  }
  return Status::Ok();
}

}  // namespace designer
