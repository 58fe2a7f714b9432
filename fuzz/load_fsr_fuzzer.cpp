// The designer's source-file reader on arbitrary bytes: LoadFSR either replaces the document
// with one the window can show (1 to 5 fields, positions within the field count) and says what
// to show, or leaves the document and the result as they were. A document it reads can have
// each field checked for numbers through all its data lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "designer/model/numeric_check.h"
#include "designer/model/source_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = fuzz::ScratchPath("input.fsr");
  fuzz::WriteFile(path, data, size);

  designer::Document doc;
  designer::ReadResult result;
  const Status status = designer::LoadFSR(doc, path, {}, result);
  if (!status.ok()) {
    if (doc.FieldCount != 0 || result.status || result.database_name) std::abort();
    return 0;
  }
  if (doc.FieldCount < 1 || doc.FieldCount > designer::kFieldTableSize || !result.status)
    std::abort();
  for (int i = 1; i <= doc.FieldCount; ++i) {
    if (doc.Fields[i].Name.size() > designer::kMaxNameLength) std::abort();
    const Status checked =
        designer::CheckNumericField(doc, i, result.splitter.value_or(";"), nullptr);
    if (!checked.ok() && !checked.refusal() && checked.message().empty()) std::abort();
  }
  return 0;
}
