#include "viewer/window/book_text.h"

#include "common/codepage.h"

namespace viewer {

QString FromBook(std::string_view cp1251) {
  return QString::fromStdString(codepage::Cp1251ToUtf8(cp1251));
}

std::string ToBook(const QString& text) {
  return codepage::Utf8ToCp1251(text.toStdString()).value_or(std::string());
}

QString FieldHeading(const BookLayout& layout, std::size_t field) {
  if (layout.kind == BookKind::kPhoneBook) return QStringLiteral("Поле %1").arg(field + 1);
  return FromBook(layout.fields[field].name);
}

}  // namespace viewer
