// The designer's side of the source file (".fsr"): the writer and the designer's reader.
// The format is described in docs/source-file.md.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/maker.h"
#include "common/status.h"
#include "designer/model/document.h"
#include "designer/model/document_io.h"
#include "designer/model/encoding.h"
#include "designer/model/text_file.h"
#include "format/source_values.h"

namespace designer {

using format::kLastVersionWithoutSplitter;
using format::kSourcePrefix;
using format::kSourceVersion;

// Lines of the header before the first field block, and of each field block.
inline constexpr int kHeaderLinesBeforeFields = 24;
inline constexpr int kFieldBlockLines = 21;
// A data line longer than this is cut when the long-line option is ticked ...
inline constexpr std::size_t kLongLineLength = 250;
// ... to this many characters followed by "..".
inline constexpr std::size_t kCutLineKeep = 248;

// Writes what the cut keeps of `line`, and counts it among `copied`'s cut lines.
inline void WriteCutLine(LineWriter& out, std::string_view line, CopiedLines& copied) {
  out.Write(line.substr(0, kCutLineKeep));
  out.Write("..");
  ++copied.cut;
}

// The number of header lines the writer writes for `field_count` fields.
constexpr std::int32_t WrittenHeaderLines(std::int32_t field_count) {
  return kHeaderLinesBeforeFields + kFieldBlockLines * field_count;
}

// What the header of a source file says.
struct SourceFileHeader {
  std::string database_name;
  char splitter = format::kDefaultSplitter;
  int version = kSourceVersion;  // up to kLastVersionWithoutSplitter: no splitter value
  std::uint8_t flags = 0;
  // The byte after the prefix on its line: CR as the line end, LF as the line end alone, any
  // other before CR LF. A table database's header shows it when its name is short.
  char prefix_line_end = '\r';
  std::int64_t record_count = 0;
  std::vector<TFieldDesc> fields;
};

// Reads past what precedes the data lines of the document's text source `in`: the opened source
// file's header, or the CSV file's line of names.
void SkipToDataLines(const Document& doc, DocumentLineReader& in);

// Writes the header lines: the comments about the file, then every value after its comment.
void WriteSourceHeader(LineWriter& out, const SourceFileHeader& header);

// A source file is Windows-1251, but the readers take a file whose every byte above 127 forms
// UTF-8 for UTF-8 (common/text_encoding.h) and would change its text. Ok when the file `written`
// (complete, not yet in place) reads as Windows-1251; else a Refusal naming `shown`, which tells
// how to make the text unmistakable.
Status CheckReadsAsWindows1251(const std::string& written, const std::string& shown);

// Writes `doc` to `target_path` with the database name, splitter and long-line option of
// `options`: the header from the model, then the data lines copied again from
// doc.SourceFileName (made from its records when it is a table database, database_source.h).
// When the target is the opened file (the same file on disk), the opened file becomes its ".BAK"
// backup once the new one is complete. Afterwards doc.RecordCount holds the number of data lines
// written; after a save over the opened file, the document's source is the file just written
// (SourceFileName the target, SourceIsFsr true, HeaderLineCount its header length). A document
// the format cannot hold is refused before anything is touched (Refusal). The new file is
// written beside the target and takes its place only when complete, so on an input/output error
// (Error) the target and the opened file are as they were, and so is the document.
Status SaveFSR(Document& doc, const std::string& target_path, const SaveOptions& options);
// The same, telling in `result` what the save did besides (set only on success).
Status SaveFSR(Document& doc, const std::string& target_path, const SaveOptions& options,
               SaveResult& result);

// Reads the source file `path` into `doc`, splitting its samples at options.splitter when the
// header names no splitter. On success the document is replaced, with SourceFileName = path and
// SourceIsFsr = true, and `result` holds the status texts, the database name and the splitter the
// header names. On failure (a Refusal for a file that is no designer's source file or declares an
// unusable field count or splitter, an Error for a bad number or an input/output error) the
// document and `result` stay as they were.
Status LoadFSR(Document& doc, const std::string& path, const ReadOptions& options,
               ReadResult& result);
// The same on `file`, the source file's lines (memory in tests and fuzz targets), which the
// document names `path`.
Status LoadFSR(Document& doc, LineReader& file, const std::string& path, const ReadOptions& options,
               ReadResult& result);

// LoadFSR for a design to give new data (design_reuse.h): every field keeps the list positions
// the file gives, a 0 included, and its boxes are ticked where it has a position, so that the
// design is the file's own and not the one the designer's reader hands out.
Status LoadFSRDesign(Document& doc, const std::string& path, ReadResult& result);

// Returns the next header value of `file`: the next line that is not a comment (an empty line
// is a value). Adds 1 to `header_line_count` for every line read, comment lines included. At the
// end of the file, and when the last line of the file is a comment, the value is empty.
std::string NextHeaderValue(LineReader& file, std::int32_t& header_line_count);

}  // namespace designer
