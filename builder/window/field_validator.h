// What the user may type into one of the window's small fields: characters that the code page
// of the databases holds (or digits only), and no more than a typing limit.
//
// The limit binds typing only: a longer text that the program puts into the field stays, and
// the user may shorten it but not lengthen it.
#pragma once

#include <QLineEdit>

#include "window_common/cp1251_text.h"

namespace builder {

class FieldValidator : public window_common::Cp1251Validator {
 public:
  enum class Characters { kCodePage, kDigits };

  // Attaches itself to `field` as its validator.
  FieldValidator(QLineEdit* field, int typing_limit, Characters characters);

 protected:
  State TakeBytes(std::string& bytes) const override;

 private:
  std::size_t typing_limit_;
  Characters characters_;
  std::size_t last_length_ = 0;  // the length of the field's text before the edit
};

}  // namespace builder
