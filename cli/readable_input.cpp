#include "cli/readable_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/system_reason.h"

namespace cli {

Status CheckReadable(const std::string& path) {
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) return Status::NoInput(SystemReason(errno));
  struct stat status {};
  // A folder opens like a file; only its kind tells.
  const bool folder = fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode);
  close(descriptor);
  return folder ? Status::NoInput(SystemReason(EISDIR)) : Status::Ok();
}

}  // namespace cli
