// Import of a delimited text file (CSV) into a fresh document of the designer.
#pragma once

#include <string>

#include "common/status.h"
#include "designer/model/document.h"
#include "designer/model/document_io.h"

namespace designer {

// Imports the CSV file `path`, splitting at options.splitter and asking options.ask whether the
// first line holds the names. The file's encoding is options.encoding when given, else detected.
// On success the document is replaced, with SourceFileName = path, SourceIsFsr = false and
// SourceEncoding the file's encoding, which result.encoding_label names. A refused file (a Refusal
// status) or an unreadable one (an Error status) leaves the previous document as it was. Either
// way result.status is the document's.
Status LoadCSV(Document& doc, const std::string& path, const ReadOptions& options,
               ReadResult& result);

}  // namespace designer
