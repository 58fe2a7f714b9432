// A table database (".fdb", ".zdb" or ".db", packed or not) as the source of a document: LoadDB
// opens it, and a save writes its records as the data lines of the source file, streamed from it,
// so that the builder makes the same database again.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/status.h"
#include "designer/model/document.h"
#include "designer/model/document_io.h"
#include "designer/model/text_file.h"
#include "format/database_reader.h"
#include "format/source_lines.h"

namespace designer {

// A field of the document as a field descriptor of the database describes it.
TFieldDesc FieldFromDescriptor(const format::DbFieldDesc& descriptor);

// The max sizes of `fields`, as the builder reads them from a source file.
std::vector<std::uint16_t> MaxSizes(const std::vector<format::DbFieldDesc>& fields);

struct RecordLineOptions {
  // The designer's long-line option: a line longer than kLongLineLength is cut.
  bool cut_long_lines = false;
  // The last record may make a line of up to 255 characters written without its line end: the
  // builder takes such a line, no longer one that ends in CR LF.
  bool last_line_may_lack_end = false;
  // Called with the number of lines written so far.
  std::function<void(std::int64_t written)> progress;
};

// Writes the records `reader` has left as data lines made by `maker`; fails with the first
// refusal or fault.
StatusOr<CopiedLines> WriteRecordLines(format::DatabaseReader& reader, format::DataLineMaker& maker,
                                       LineWriter& out, const RecordLineOptions& options);

// Reads the table database `path` into `doc`: its fields, name and record count, a splitter that
// occurs in no value (the first of ";", ",", tab and "|"), and the first twenty records as
// samples. A line longer than the long-line option keeps unticks that option
// (result.cut_long_lines), so that a save keeps the records whole. On success the document is
// replaced, with SourceFileName = path and SourceIsDatabase set, and `result` holds the status
// texts, the database name and the splitter. A book the document cannot hold, or whose save would
// build another database (a phone book, more than 5 fields, another version than 13, flags, a
// byte or value no source file carries) is refused; a damaged or unreadable file gives an Error
// naming the offset. Either way the document stays as it was.
Status LoadDB(Document& doc, const std::string& path, const ReadOptions& options,
              ReadResult& result);

// Writes the records of the database doc.SourceFileName as the data lines of a save, split at
// `splitter`; a value that holds it refuses the save with the record's number.
StatusOr<CopiedLines> CopyRecordLines(const Document& doc, char splitter, bool cut_long_lines,
                                      LineWriter& out,
                                      const std::function<void(std::int64_t written)>& progress);

}  // namespace designer
