#include "builder/window/field_validator.h"

#include <algorithm>

namespace builder {

FieldValidator::FieldValidator(QLineEdit* field, int typing_limit, Characters characters)
    : Cp1251Validator(field), typing_limit_(typing_limit), characters_(characters) {
  last_length_ = field->text().size();
  connect(field, &QLineEdit::textChanged, this,
          [this](const QString& text) { last_length_ = text.size(); });
  field->setValidator(this);
}

QValidator::State FieldValidator::TakeBytes(std::string& bytes) const {
  // Windows-1251 has one byte per character, so bytes count characters.
  if (bytes.size() > typing_limit_ && bytes.size() > last_length_) return Invalid;
  if (characters_ == Characters::kCodePage) return Acceptable;
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= '0' && c <= '9'; })
             ? Acceptable
             : Invalid;
}

}  // namespace builder
