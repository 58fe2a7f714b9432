// The designer's side of the source file (".fsr"): the writer and the designer's reader.
#pragma once

#include <string>

#include "common/status.h"
#include "designer/model/designer_view.h"
#include "designer/model/document.h"

namespace designer {

// Writes `doc` to `target_path`: the header from the model, then the data lines copied again
// from doc.SourceFileName (or from its ".BAK" backup when saving over the opened file).
// Afterwards doc.RecordCount holds the number of data lines written; nothing else changes.
Status SaveFSR(Document& doc, const std::string& target_path, DesignerView& view);

// Reads the source file `path` into `doc`. On success the document is replaced, with
// SourceFileName = path and SourceIsFsr = true, and view.DocumentLoaded() has run. On failure
// the previous document stays as it was.
Status LoadFSR(Document& doc, const std::string& path, DesignerView& view);

}  // namespace designer
