// Where a book's Windows-1251 texts meet the viewer's widgets.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "viewer/search/book.h"

namespace viewer {

QString FromBook(std::string_view cp1251);

// A box's text as the book's bytes; the boxes take only what Windows-1251 holds.
std::string ToBook(const QString& text);

// The heading of field `field` (0-based): its name, or for a phone book's column "Поле N".
QString FieldHeading(const BookLayout& layout, std::size_t field);

}  // namespace viewer
