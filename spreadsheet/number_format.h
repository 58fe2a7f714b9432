// Which number formats of a workbook show their numbers as dates or times: the built-in ones by
// number, the workbook's own by their format code.
#pragma once

#include <optional>
#include <string_view>

#include "spreadsheet/cell_text.h"

namespace spreadsheet {

// Built-in format `id`, or the format code `code` when it is not empty: none for a number.
std::optional<DateStyle> DateStyleOfFormat(int id, std::string_view code);

}  // namespace spreadsheet
