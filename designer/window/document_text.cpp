#include "designer/window/document_text.h"

#include "common/codepage.h"

namespace designer {

QString FromDocument(const std::string& cp1251) {
  return QString::fromStdString(codepage::Cp1251ToUtf8(cp1251));
}

std::string ToDocument(const QString& text) {
  std::string bytes;
  for (char32_t code_point : text.toUcs4()) {
    const std::string utf8 = QString::fromUcs4(&code_point, 1).toStdString();
    const auto converted = codepage::Utf8ToCp1251(utf8);
    bytes += converted ? *converted : std::string("?");
  }
  return bytes;
}

QString MessageText(const std::string& utf8) {
  return QString::fromStdString(utf8).replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
}

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
  return codepage::Utf8ToCp1251(input.toStdString()) ? Acceptable : Invalid;
}

}  // namespace designer
