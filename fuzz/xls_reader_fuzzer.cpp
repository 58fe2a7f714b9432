// The .xls reader on arbitrary bytes. Its library reads only files, so each input goes through
// a scratch file (memory-backed where the system offers it).
//
// The library runs in child processes of the reader, and it reads past its own buffers on many
// inputs. AddressSanitizer finds that in the child, whose death the reader turns into a damaged
// book; the child must then end at once (only the report's first line of '=' is printed),
// without the slow symbolized report and without the fuzzer's crash callback, which would save
// the input as a crash of this process.
#include <sanitizer/asan_interface.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "fuzz/spreadsheet_support.h"

namespace {
const pid_t fuzzer = getpid();
}  // namespace

extern "C" void __asan_on_error() {
  if (getpid() != fuzzer) _exit(1);
}

// Every read forks this process, and a fork copies page tables that grow with the freed memory
// AddressSanitizer holds back; a smaller hold keeps forks quick.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = fuzz::ScratchPath("input.xls");
  fuzz::WriteFile(path, data, size);
  fuzz::ReadEverySheet(spreadsheet::OpenWorkbook(path));
  return 0;
}
