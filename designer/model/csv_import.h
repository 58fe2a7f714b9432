// Import of a delimited text file (CSV) into a fresh document of the designer.
#pragma once

#include <string>

#include "common/status.h"
#include "designer/model/designer_view.h"
#include "designer/model/document.h"

namespace designer {

// Imports the CSV file `path`, splitting at view.Splitter() and asking the first-line question
// through the view. On success the document is replaced, with SourceFileName = path and
// SourceIsFsr = false, and view.DocumentLoaded() has run. A refused file (a Refusal status)
// or an unreadable one (an Error status) leaves the previous document as it was.
Status LoadCSV(Document& doc, const std::string& path, DesignerView& view);

}  // namespace designer
