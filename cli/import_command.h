// bwick import: a CSV file to a source file (".fsr") without the designer's window, by the
// designer's own import and writer.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/console.h"
#include "common/text_encoding.h"
#include "designer/model/document.h"
#include "format/source_values.h"

namespace cli {

extern const CommandSpec kImportCommand;

// `args` are the words after "import", in UTF-8; the summary goes to `out`, messages to `err`.
// Without -o the source file is the CSV's path with the extension ".fsr"; an existing one is
// refused unless --force, and it changes only when the new one is complete; "-o -" writes it to
// `out` instead of the summary. The CSV's encoding is detected unless --encoding names it; the
// summary says which it was. Returns the exit status: kExitOk, kExitUsage, kExitUnreadable (the
// CSV cannot be read) or kExitFailed (the CSV is refused or the source file cannot be written).
int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The same on standard output and standard error.
int RunImportCommand(const std::vector<std::string>& args);

// What the command line of an import asks, also read by bwick build --design.
struct ImportOptions {
  std::string csv_path;
  std::string output_path;                                          // "-": standard output
  std::string name;                                                 // Windows-1251
  std::string splitter = std::string(1, format::kDefaultSplitter);  // empty with `detect_splitter`
  bool detect_splitter = false;                                     // --splitter auto
  bool quoted = false;
  std::int32_t skip_lines = 0;
  std::string sheet;  // a workbook's, UTF-8
  bool workbook = false;
  bool header = false;
  bool cut_long_lines = true;
  bool replace = false;                            // --force: an existing output may be replaced
  std::optional<codepage::TextEncoding> encoding;  // none: detected
  std::string design_path;                         // --design: the source file whose design is kept
  bool as_text = false;                            // --as-text
};

// The options `parsed` gives (without -o: the CSV's path with ".fsr"), or a refusal that says what
// is wrong with the command line.
StatusOr<ImportOptions> ReadImportOptions(const ParsedArguments& parsed);

// What an import wrote.
struct ImportedFile {
  designer::Document doc;
  std::string splitter;            // the data lines' splitter
  std::int32_t records = 0;        // records read
  std::vector<std::string> match;  // with a design: "field ← column" per field
};

// Reads the table of `options` (with its design when given) and writes the source file to
// options.output_path, a file's path; notes and errors go to `console`. Returns the exit status.
int ImportToSourceFile(const ImportOptions& options, Console& console, ImportedFile& imported);

}  // namespace cli
