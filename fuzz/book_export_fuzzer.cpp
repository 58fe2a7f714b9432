// bwick export and the designer's opening of a book on arbitrary bytes. Whatever either writes
// must come back whole: the source file the export writes, and the one the designer saves, build
// a database byte-identical to the input. The CSV export only must not fail unsafely.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "builder/convert/table_database.h"
#include "cli/exit_codes.h"
#include "cli/export_command.h"
#include "designer/model/database_source.h"
#include "designer/model/source_file.h"
#include "fuzz/fuzz_support.h"

namespace {

// Builds `fsr` and aborts unless the database is `expected`.
void ExpectBuilds(const std::string& fsr, const std::string& expected) {
  static const std::string rebuilt = fuzz::ScratchPath("rebuilt.db");
  builder::SilentReporter reporter;
  if (!builder::ConvertSourceFile(fsr, rebuilt, reporter).ok() ||
      std::string(std::istreambuf_iterator<char>(std::ifstream(rebuilt, std::ios::binary).rdbuf()),
                  {}) != expected) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string book = fuzz::ScratchPath("book.db");
  static const std::string exported = fuzz::ScratchPath("exported.fsr");
  static const std::string saved = fuzz::ScratchPath("saved.fsr");
  static const std::string csv = fuzz::ScratchPath("exported.csv");
  // A packed book would come back unpacked; the database reader's target covers packing.
  if (size >= 2 && data[0] == 0x1F && data[1] == 0x8B) return 0;
  fuzz::WriteFile(book, data, size);
  const std::string input(reinterpret_cast<const char*>(data), size);

  std::ostringstream out, err;
  if (cli::RunExportCommand({book, "-o", exported, "--force"}, out, err) == cli::kExitOk)
    ExpectBuilds(exported, input);
  cli::RunExportCommand({book, "-o", csv, "--force"}, out, err);

  designer::Document doc;
  designer::ReadResult opened;
  if (designer::LoadDB(doc, book, {}, opened).ok()) {
    const designer::SaveOptions options{*opened.database_name, *opened.splitter,
                                        /*cut_long_lines=*/false, nullptr};
    // A save may refuse only, as it does a book whose text would read as UTF-8.
    const Status written = designer::SaveFSR(doc, saved, options);
    if (written.ok()) {
      ExpectBuilds(saved, input);
    } else if (!written.refusal()) {
      std::abort();
    }
  }
  return 0;
}
