#include "cli/readable_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "common/system_reason.h"

namespace cli {

Status CheckReadable(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return Status::NoInput(SystemReason(errno));
  // A folder opens like a file; only its kind tells.
  if (S_ISDIR(status.st_mode)) return Status::NoInput(SystemReason(EISDIR));
  // Opening a named pipe to try it would meet its writer, which may then write to no one and
  // end: only the permission is asked.
  if (S_ISFIFO(status.st_mode))
    return access(path.c_str(), R_OK) == 0 ? Status::Ok() : Status::NoInput(SystemReason(errno));
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) return Status::NoInput(SystemReason(errno));
  close(descriptor);
  return Status::Ok();
}

Status SpooledInput::Open(const std::string& input) {
  path_ = input;
  if (input == "-") return Copy(STDIN_FILENO);
  if (Status readable = CheckReadable(input); !readable.ok()) return readable;
  struct stat status {};
  if (stat(input.c_str(), &status) == 0 && S_ISREG(status.st_mode)) return Status::Ok();
  const int descriptor = open(input.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return Status::NoInput(SystemReason(errno));
  const Status copied = Copy(descriptor);
  close(descriptor);
  return copied;
}

std::string SpooledInput::Shown(std::string message, const std::string& input) const {
  if (spool_.path().empty()) return message;
  for (std::size_t at = 0; (at = message.find(spool_.path(), at)) != std::string::npos;) {
    message.replace(at, spool_.path().size(), input);
    at += input.size();
  }
  return message;
}

Status SpooledInput::Copy(int descriptor) {
  std::error_code no_folder;
  const std::string folder = std::filesystem::temp_directory_path(no_folder).string();
  if (Status created = spool_.Create(folder, "bwick-input"); !created.ok())
    return Status::NoInput("не удалось создать временный файл: " + created.message());
  path_ = spool_.path();
  char block[65536];
  for (;;) {
    const ssize_t got = read(descriptor, block, sizeof block);
    if (got == 0) return Status::Ok();
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Status::NoInput(SystemReason(errno));
    for (ssize_t written = 0; written < got;) {
      const ssize_t put = write(spool_.descriptor(), block + written, got - written);
      if (put < 0 && errno != EINTR)
        return Status::NoInput("не удалось записать временный файл: " + SystemReason(errno));
      written += std::max<ssize_t>(put, 0);
    }
  }
}

}  // namespace cli
