#include "common/byte_source.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/system_reason.h"

FileSource::FileSource(const std::string& path) {
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr) open_error_ = SystemReason(errno);
}

FileSource::FileSource(std::FILE* file, int open_errno) : file_(file) {
  if (file_ == nullptr) open_error_ = SystemReason(open_errno);
}

FileSource FileSource::StandardInput() {
  const int descriptor = dup(STDIN_FILENO);
  std::FILE* file = descriptor < 0 ? nullptr : fdopen(descriptor, "rb");
  const int open_errno = errno;
  if (file == nullptr && descriptor >= 0) close(descriptor);
  return FileSource(file, open_errno);
}

FileSource::~FileSource() {
  if (file_ != nullptr) std::fclose(file_);
}

Status ByteSource::Rewind() { return Status::Error(SystemReason(ESPIPE)); }

StatusOr<std::size_t> FileSource::Read(char* buffer, std::size_t size) {
  if (file_ == nullptr) return Status::Error(open_error_);
  if (read_errno_ == 0) {
    const std::size_t got = std::fread(buffer, 1, size, file_);
    if (!std::ferror(file_)) return got;
    read_errno_ = errno ? errno : EIO;
  }
  return Status::Error(SystemReason(read_errno_));
}

Status FileSource::Rewind() {
  if (file_ == nullptr) return Status::Error(open_error_);
  if (std::fseek(file_, 0, SEEK_SET) != 0) return Status::Error(SystemReason(errno));
  return Status::Ok();
}

StatusOr<std::size_t> MemorySource::Read(char* buffer, std::size_t size) {
  const std::size_t got = std::min(size, bytes_.size() - position_);
  std::memcpy(buffer, bytes_.data() + position_, got);
  position_ += got;
  return got;
}
