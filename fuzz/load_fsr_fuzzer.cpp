// The designer's source-file reader on arbitrary bytes, from memory: LoadFSR either replaces the
// document with one the window can show (1 to 5 fields, positions within the field count) and says
// what to show, or leaves the document and the result as they were. A document it reads can have
// each field checked for numbers through all its data lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "designer/model/numeric_check.h"
#include "designer/model/source_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = "input.fsr";
  std::istringstream input(bytes);
  designer::LineReader file(input, path);

  designer::Document doc;
  designer::ReadResult result;
  const Status status = designer::LoadFSR(doc, file, path, {}, result);
  if (!status.ok()) {
    if (doc.FieldCount != 0 || result.status || result.database_name) std::abort();
    return 0;
  }
  if (doc.FieldCount < 1 || doc.FieldCount > designer::kFieldTableSize || !result.status)
    std::abort();
  for (int i = 1; i <= doc.FieldCount; ++i) {
    if (doc.Fields[i].Name.size() > designer::kMaxNameLength) std::abort();
    std::istringstream data(bytes);
    designer::LineReader lines(data, path);
    const Status checked =
        designer::CheckNumericField(doc, i, result.splitter.value_or(";"), lines, nullptr);
    if (!checked.ok() && !checked.refusal() && checked.message().empty()) std::abort();
  }
  return 0;
}
