// What the user may type into one of the window's small fields: characters that the code page
// of the databases holds (or digits only), and no more than a typing limit.
//
// The limit binds typing only: a longer text that the program puts into the field stays, and
// the user may shorten it but not lengthen it.
#pragma once

#include <QLineEdit>
#include <QValidator>

namespace builder {

class FieldValidator : public QValidator {
 public:
  enum class Characters { kCodePage, kDigits };

  // Attaches itself to `field` as its validator.
  FieldValidator(QLineEdit* field, int typing_limit, Characters characters);

  State validate(QString& input, int& position) const override;

 private:
  int typing_limit_;
  Characters characters_;
  qsizetype last_length_ = 0;  // the length of the field's text before the edit
};

}  // namespace builder
