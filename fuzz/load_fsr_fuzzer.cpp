// The designer's source-file reader on arbitrary bytes: LoadFSR either replaces the document
// with one the window can show (1 to 5 fields, positions within the field count) or leaves it as
// it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "designer/model/source_file.h"
#include "designer/model/test/fake_window.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = fuzz::ScratchPath("input.fsr");
  fuzz::WriteFile(path, data, size);

  designer::Document doc;
  designer::FakeWindow view;
  const Status status = designer::LoadFSR(doc, path, view);
  if (!status.ok()) {
    if (doc.FieldCount != 0 || view.loaded_count != 0) std::abort();
    return 0;
  }
  if (doc.FieldCount < 1 || doc.FieldCount > designer::kFieldTableSize || view.loaded_count != 1)
    std::abort();
  for (int i = 1; i <= doc.FieldCount; ++i) {
    if (doc.Fields[i].Name.size() > designer::kMaxNameLength) std::abort();
  }
  return 0;
}
