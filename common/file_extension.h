// File-name extensions as the programs tell file kinds by them: Latin letters in either case
// (".FSR" is a source file as ".fsr" is).
#pragma once

#include <string>
#include <string_view>

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Whether the extension of the file name in `path` (from its last dot, as std::filesystem
// tells it) is `extension`, letter case aside.
bool HasExtension(const std::string& path, std::string_view extension);

// What the programs take a file for by its extension alone: the file name from its last ".".
enum class FileKind {
  kCsv,         // ".csv", ".txt", ".tsv": a delimited text table
  kWorkbook,    // ".xlsx", ".ods", ".xls", ".dbf": a spreadsheet or a dBASE table
  kSourceFile,  // ".fsr"
  kDatabase,    // ".db": a database as the builder writes it before packing
  kPackedBook,  // ".fdb", ".zdb": a packed database, as the handheld reads it
  kOther,       // anything else; the builder takes it for a phone list
};
FileKind FileKindOf(const std::string& path);

// A database, packed or not.
inline bool IsBook(FileKind kind) {
  return kind == FileKind::kDatabase || kind == FileKind::kPackedBook;
}
