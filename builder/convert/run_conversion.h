// The builder's dispatcher: which conversion an input gets, the names of the intermediate and
// target files, and the order of the steps. Shared by the builder window and the command line.
#pragma once

#include <optional>
#include <string>

#include "builder/convert/conversion_result.h"
#include "builder/convert/reporter.h"
#include "common/status.h"
#include "common/text_encoding.h"
#include "format/source_values.h"

namespace builder {

enum class ConversionKind {
  kSourceFile,      // ".fsr": source file -> table database -> base + "fdb"
  kPackedDatabase,  // ".db": packed as it is -> base + "zdb"
  kPhoneBook,       // anything else: phone list -> phone-book database -> base + "fdb"
};

struct ConversionNames {
  ConversionKind kind;
  std::string input;
  std::string intermediate;  // base + "db", the name of a kept database; unused for kPackedDatabase
  std::string target;
};

// The kind from the text after the last "." of the whole path (letter case ignored); nullopt
// when the path has no ".". The names from the file name: base is the path up to and including
// the file name's last ".", or the path and a "." when the file name has none.
std::optional<ConversionNames> NameConversion(const std::string& input_path);

// The builder window's fields as they stand when a conversion starts. The name and splitter
// are Windows-1251 bytes; the path is a native path, taken whole.
struct ConversionRequest {
  std::string path;
  std::string name;
  std::string splitter;  // first byte used; ";" when empty
  std::string digits;    // one decimal digit; empty gives 0
  // Keep the database as base + "db"; otherwise it has a name of its own beside the target and
  // is removed after packing. A file that has the name already is refused unless replace_kept.
  bool keep_intermediate = false;
  bool replace_kept = false;
  // The encoding of a phone list or source file; nullopt: detected.
  std::optional<codepage::TextEncoding> encoding;
  // The input is a source file whatever its name (a temporary one, say), and the packed file is
  // `target` when given rather than named from the input.
  bool source_file = false;
  std::string target;
};

// Runs one conversion with its status texts and notes going to `reporter`. Whatever ends it (a
// failure, or a signal in a program that installed RemoveTemporaryFilesOnSignals), no file is
// left half-written: the target and a kept database are replaced only when complete. Returns,
// for the caller to show:
// - ok: the target written, the intermediate deleted, "Готово" shown;
// - a refusal: a field was missing or wrong;
// - an error: the converter failed on the data (the general message follows its own, if any), or
//   a database given to be packed is incomplete;
// - no output: a file could not be created or written, the conversion's (the general message
//   follows) or the packing's (captioned kCaptionPackError, "Ошибка упаковки" shown instead of
//   "Готово"), named as the user knows it, the target as it was or absent;
// - no input: a database given to be packed could not be read (captioned as the packing's).
ConversionResult RunConversion(const ConversionRequest& request, Reporter& reporter);

// What the builder window shows of a chosen source file's header.
struct SourceHeaderSummary {
  bool prefix_ok = false;     // false: the file is no source file; name is empty, no splitter
  std::string database_name;  // Windows-1251 bytes
  char splitter = format::kDefaultSplitter;
};

// Reads the header of the source file `path` for display. nullopt: the file cannot be opened.
std::optional<SourceHeaderSummary> SummarizeSourceHeader(const std::string& path);

}  // namespace builder
