// The reading settings a CSV file suggests, found from its first lines, as the import dialog
// preselects them and `bwick import` compares them with its options:
// - the encoding, by the automatic rule (encoding.h);
// - the splitter: of ";", ",", tab and "|", the one that splits the lines most alike into more
//   than one field: the table's number of fields is the most frequent one, and at least
//   kAlikePercent of the lines from the table's first line on must have it (a stray line does not
//   hide the splitter, the warnings count it); of equals, the first of the list;
// - quotes: the file's quotes form well-formed quoted values (RFC 4180), at least one;
// - the title lines: the lines above the table's first line, the first with its number of
//   fields, at most kMaxGuessedSkip of them, and only above a table of at least two lines.
// Empty lines are not looked at.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/status.h"
#include "designer/model/document.h"

namespace designer {

inline constexpr std::size_t kGuessLines = 100;        // lines looked at ...
inline constexpr std::size_t kGuessBytes = 64 * 1024;  // ... within this many bytes
inline constexpr std::int32_t kMaxGuessedSkip = 10;
inline constexpr std::size_t kAlikePercent = 90;

struct CsvGuess {
  TextEncoding encoding = TextEncoding::kCp1251;
  // Document text; none when no choice splits the lines alike.
  std::optional<std::string> splitter;
  bool quoted = false;
  std::int32_t skip_lines = 0;
  friend bool operator==(const CsvGuess&, const CsvGuess&) = default;
};

// The splitter, quotes and title lines that `text` suggests: the first lines of a file as text
// (UTF-8 or Windows-1251, each line ended by LF), `complete` when they are the whole file (else
// a record that the cut may have broken is not looked at). Without a splitter, the quotes are
// judged with `fallback_splitter`, as it stands in the text. The encoding is left as it is.
CsvGuess GuessCsvText(std::string_view text, bool complete, std::string_view fallback_splitter);

// The guess for the file `path`: its encoding (`encoding` when given, else detected), then its
// first kGuessLines lines within kGuessBytes. A Refusal for a file that is no text, an Error when
// it cannot be read.
StatusOr<CsvGuess> GuessCsvFile(const std::string& path, std::optional<TextEncoding> encoding,
                                const std::string& fallback_splitter);

}  // namespace designer
