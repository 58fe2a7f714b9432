#include "builder/convert/byte_io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/system_reason.h"

namespace builder {

bool LineReader::Fill() {
  if (begin_ < end_) return true;
  begin_ = 0;
  end_ = 0;
  if (!status_.ok()) return false;
  StatusOr<std::size_t> got = source_.Read(buffer_, sizeof buffer_);
  if (!got.ok()) {
    status_ = got.status();
    return false;
  }
  end_ = got.value();
  return end_ > 0;
}

bool LineReader::AtEnd() { return !Fill(); }

bool LineReader::ReadLine(std::size_t max_bytes, std::string& line) {
  line.clear();
  while (line.size() < max_bytes) {
    if (!Fill()) break;
    const std::size_t want = std::min(end_ - begin_, max_bytes - line.size());
    const void* lf = std::memchr(buffer_ + begin_, '\n', want);
    const std::size_t take =
        lf != nullptr ? static_cast<const char*>(lf) - (buffer_ + begin_) + 1 : want;
    line.append(buffer_ + begin_, take);
    begin_ += take;
    if (lf != nullptr) break;
  }
  if (!status_.ok() || line.empty()) return false;
  if (line_ended_) ++line_number_;
  line_ended_ = line.back() == '\n';
  return true;
}

void LineReader::SkipRestOfLine() {
  std::string rest;
  while (!line_ended_ && ReadLine(sizeof buffer_, rest)) {
  }
}

FileSink::FileSink(const std::string& path) {
  file_ = std::fopen(path.c_str(), "w+b");
  if (file_ != nullptr) std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
}

FileSink::~FileSink() {
  if (file_ != nullptr) std::fclose(file_);
}

Status FileSink::Failure() const {
  return Status::NoOutput(SystemReason(error_ != 0 ? error_ : EIO));
}

Status FileSink::Failed() {
  if (ok_ && errno != 0) error_ = errno;
  ok_ = false;
  return Failure();
}

Status FileSink::Write(std::string_view bytes) {
  if (file_ == nullptr) ok_ = false;
  if (!ok_) return Failure();  // nothing after a failure, so a failed file never looks complete
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) return Failed();
  return Status::Ok();
}

Status FileSink::WriteAt(std::uint64_t offset, std::string_view bytes) {
  if (file_ == nullptr) ok_ = false;
  if (!ok_) return Failure();
  errno = 0;
  if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return Failed();
  return Write(bytes);
}

Status FileSink::Flush() {
  if (file_ == nullptr) ok_ = false;
  if (file_ == nullptr) return Failure();
  errno = 0;
  if (std::fflush(file_) != 0) return Failed();
  return ok_ ? Status::Ok() : Failure();
}

Status FileSink::Close() {
  if (file_ == nullptr) ok_ = false;
  if (file_ == nullptr) return Failure();
  Flush();
  errno = 0;
  if (std::fclose(file_) != 0) Failed();
  file_ = nullptr;
  return ok_ ? Status::Ok() : Failure();
}

}  // namespace builder
