#include "viewer/window/query_box.h"

#include "common/codepage.h"
#include "viewer/search/search.h"

namespace viewer {

QueryBoxValidator::QueryBoxValidator(std::uint8_t flags, QObject* parent)
    : QValidator(parent), flags_(flags) {}

QValidator::State QueryBoxValidator::validate(QString& input, int&) const {
  const auto cp1251 = codepage::Utf8ToCp1251(input.toStdString());
  if (!cp1251 || !BoxTakes(flags_, *cp1251)) return Invalid;
  // One byte per character, so the cursor stays where it was.
  input = QString::fromStdString(codepage::Cp1251ToUtf8(AsTyped(flags_, *cp1251)));
  return Acceptable;
}

}  // namespace viewer
