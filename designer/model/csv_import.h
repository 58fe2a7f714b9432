// Import of a delimited text file (CSV) into a fresh document of the designer.
#pragma once

#include <optional>
#include <string>

#include "common/status.h"
#include "designer/model/designer_view.h"
#include "designer/model/document.h"

namespace designer {

// Imports the CSV file `path`, splitting at view.Splitter() and asking the first-line question
// through the view. The file's encoding is `encoding` when given, else detected (encoding.h). On
// success the document is replaced, with SourceFileName = path, SourceIsFsr = false and
// SourceEncoding the file's encoding, status panel 3 names that encoding, and
// view.DocumentLoaded() has run. A refused file (a Refusal status) or an unreadable one (an Error
// status) leaves the previous document as it was.
Status LoadCSV(Document& doc, const std::string& path, DesignerView& view,
               std::optional<TextEncoding> encoding = std::nullopt);

}  // namespace designer
