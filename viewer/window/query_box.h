// A query box of the viewer: it takes what the handheld's box of its field takes and turns
// letters into capitals where the field says so, while they are typed or pasted.
#pragma once

#include <cstdint>

#include "window_common/cp1251_text.h"

namespace viewer {

class QueryBoxValidator : public window_common::Cp1251Validator {
 public:
  QueryBoxValidator(std::uint8_t flags, QObject* box);

 protected:
  // Refuses text the box does not take; otherwise leaves it as the box holds it once typed.
  State TakeBytes(std::string& bytes) const override;

 private:
  std::uint8_t flags_;
};

}  // namespace viewer
