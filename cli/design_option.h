// --design of bwick import and bwick build: the design of a source file made earlier (the book's
// name, its fields with their names, types, flags, list positions and widths) applied to the new
// table the command reads (designer/model/design_reuse.h), so that a book refreshed every month
// keeps the design it was given once.
#pragma once

#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/console.h"
#include "designer/model/document.h"

namespace cli {

inline constexpr OptionSpec kDesignOption = {
    "design", 0, "ФАЙЛ.fsr", "взять оформление справочника из исходного файла ФАЙЛ.fsr"};
inline constexpr OptionSpec kAsTextOption = {
    "as-text", 0, "", "с --design: числовое поле с нечисловым значением сделать текстовым"};

// Applies the design of the source file `design_path` to `table`, the document read from
// `table_path` (named so in messages); with `as_text` a numeric field whose data hold a value that
// is no number becomes text. On success `table` holds the refreshed document, `database_name` the
// design's name (Windows-1251), `match` one line "field ← column" per field (UTF-8), and the
// warnings were noted on `console`. Returns kExitOk, or the exit status after an error shown on
// `console`: kExitUnreadable when the design cannot be read, kExitRefused when it is no source
// file or does not fit the table.
int ApplyDesignOption(const std::string& design_path, const std::string& table_path, bool as_text,
                      Console& console, designer::Document& table, std::string& database_name,
                      std::vector<std::string>& match);

}  // namespace cli
