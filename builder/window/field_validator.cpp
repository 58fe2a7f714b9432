#include "builder/window/field_validator.h"

#include "common/codepage.h"

namespace builder {

FieldValidator::FieldValidator(QLineEdit* field, int typing_limit, Characters characters)
    : QValidator(field), typing_limit_(typing_limit), characters_(characters) {
  last_length_ = field->text().size();
  connect(field, &QLineEdit::textChanged, this,
          [this](const QString& text) { last_length_ = text.size(); });
  field->setValidator(this);
}

QValidator::State FieldValidator::validate(QString& input, int& /*position*/) const {
  if (input.size() > typing_limit_ && input.size() > last_length_) return Invalid;
  if (characters_ == Characters::kDigits) {
    for (const QChar c : input) {
      if (c < u'0' || c > u'9') return Invalid;
    }
    return Acceptable;
  }
  return codepage::Utf8ToCp1251(input.toStdString()) ? Acceptable : Invalid;
}

}  // namespace builder
