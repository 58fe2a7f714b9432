#include "cli/readable_input.h"

#include "common/byte_source.h"

namespace cli {

std::string WhyUnreadable(const std::string& path) {
  FileSource source(path);
  if (!source.is_open()) return source.open_error();
  // A folder opens like a file; only reading tells.
  char byte = 0;
  source.Read(&byte, 1);
  return source.failed() ? source.FailureText() : std::string();
}

}  // namespace cli
