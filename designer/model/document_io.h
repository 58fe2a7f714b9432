// What the document's readers (LoadCSV, LoadFSR, LoadDB) and its writer (SaveFSR) take from the
// user and hand back for the designer's window, or the command-line tool, to show.
//
// Document values (database name, splitter) are Windows-1251 bytes; texts meant for the user
// (status texts, questions) are UTF-8.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/text_encoding.h"
#include "designer/model/table_warnings.h"
#include "format/source_values.h"

namespace designer {

struct Document;

// The texts of the status panels 0 to 2: the document's file, its field count and its record
// count. While a file is read, panel 2 shows the bare running record count instead.
using StatusTexts = std::array<std::string, 3>;

// The status panels as `doc` shows them; empty without a document.
StatusTexts DocumentStatus(const Document& doc);

struct ReadOptions {
  // Splits a CSV file's values, and a source file's samples when its header names no splitter.
  std::string splitter = std::string(1, format::kDefaultSplitter);
  // A CSV file's encoding; none: detected (encoding.h).
  std::optional<codepage::TextEncoding> encoding = std::nullopt;
  // Asks whether a CSV file's first line holds the field names; true for Yes. Without it, No.
  std::function<bool(const std::string& question)> ask = nullptr;
  // Called with the running record count every few hundred records of a long file.
  std::function<void(int records)> progress = nullptr;
  // A CSV file's values may stand in double quotes (RFC 4180); its first line comes after this
  // many lines, which are passed over.
  bool quoted = false;
  std::int32_t skip_lines = 0;
  // A workbook's sheet, by name or by number from 1; empty: the first visible one. A workbook's
  // rows are read as cells: `splitter`, `encoding` and `quoted` do not apply, `skip_lines` counts
  // rows.
  std::string sheet{};
};

// What a read leaves to show besides the document; a value without one stays as it was.
struct ReadResult {
  std::optional<StatusTexts> status;
  std::optional<std::string> encoding_label;  // status panel 3: a CSV file's encoding, else ""
  std::optional<std::string> splitter;        // the splitter the file names or needs
  std::optional<std::string> database_name;
  std::optional<bool> cut_long_lines;     // false when a record would lose its end to the cut
  std::optional<TableWarnings> warnings;  // what a CSV file's records would lose
};

struct SaveOptions {
  std::string database_name;
  std::string splitter = std::string(1, format::kDefaultSplitter);  // one byte
  bool cut_long_lines = true;
  // Called after every data line written, with the count so far and the document's record count.
  std::function<void(std::int64_t written, std::int64_t expected)> progress = nullptr;
  // Asked after every progress call; true stops the save: the new file is removed, and the
  // target, the opened file and the document stay as they were (a Refusal, kSaveCancelled).
  std::function<bool()> cancelled = nullptr;
};

inline constexpr char kSaveCancelled[] = "Сохранение отменено.";

// What a successful save leaves to show.
struct SaveResult {
  std::int64_t lines_cut = 0;  // data lines cut to the long-line length
};

}  // namespace designer
