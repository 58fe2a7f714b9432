#include "viewer/window/query_box.h"

#include "viewer/search/search.h"

namespace viewer {

QueryBoxValidator::QueryBoxValidator(std::uint8_t flags, QObject* box)
    : Cp1251Validator(box), flags_(flags) {}

QValidator::State QueryBoxValidator::TakeBytes(std::string& bytes) const {
  if (!BoxTakes(flags_, bytes)) return Invalid;
  bytes = AsTyped(flags_, bytes);
  return Acceptable;
}

}  // namespace viewer
