#include "builder/convert/packing.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "builder/convert/messages.h"
#include "common/replacement_file.h"
#include "common/system_reason.h"

namespace builder {
namespace {

// zlib writes the operating system it was built for; the handheld's files carry 0x0B.
// Returns the system's wording of a failure, empty on success.
std::string PatchOsByte(const std::string& target_path) {
  std::FILE* file = std::fopen(target_path.c_str(), "r+b");
  if (file == nullptr) return SystemReason(errno);
  const bool written =
      std::fseek(file, kGzipOsByteOffset, SEEK_SET) == 0 && std::fputc(kGzipOsByte, file) != EOF;
  const bool closed = std::fclose(file) == 0;
  return written && closed ? std::string() : SystemReason(errno ? errno : EIO);
}

}  // namespace

void ReportPackError(Reporter& reporter, const std::string& text) {
  reporter.ErrorMessage(kCaptionPackError, text);
}

bool CopyToGzip(ByteSource& source, gzFile gzip, const std::string& source_path,
                const std::string& target_path, Reporter& reporter) {
  std::vector<char> block(kPackBlockSize);
  std::int64_t total = 0;
  while (true) {
    const std::size_t got = source.Read(block.data(), block.size());
    if (source.failed()) {
      gzclose(gzip);
      ReportPackError(reporter, messages::PackReadFailed(source_path, source.FailureText()));
      return false;
    }
    if (got == 0) break;
    total += static_cast<std::int64_t>(got);
    reporter.StatusText(messages::Packing(total));
    if (gzwrite(gzip, block.data(), static_cast<unsigned>(got)) != static_cast<int>(got)) {
      int code = 0;
      const char* text = gzerror(gzip, &code);
      const std::string reason = code == Z_ERRNO ? SystemReason(errno) : text;
      gzclose(gzip);
      ReportPackError(reporter, messages::PackWriteFailed(target_path, reason));
      return false;
    }
  }
  if (const int closed = gzclose(gzip); closed != Z_OK) {
    const std::string reason =
        closed == Z_ERRNO ? SystemReason(errno) : "ошибка zlib " + std::to_string(closed);
    ReportPackError(reporter, messages::PackWriteFailed(target_path, reason));
    return false;
  }
  return true;
}

int PackFile(const std::string& source_path, const std::string& target_path, const char* mode,
             Reporter& reporter) {
  FileSource source(source_path);
  if (!source.is_open()) {
    ReportPackError(reporter, messages::PackSourceUnreadable(source_path, source.open_error()));
    return 1;
  }
  // The packed file is written beside the target and takes its place only once complete; a
  // failure leaves the target as it was, and the unfinished file goes with `target`.
  ReplacementFile target(target_path);
  int error = target.Create();
  gzFile gzip = error == 0 ? gzopen(target.path().c_str(), mode) : nullptr;
  if (gzip == nullptr) {
    if (error == 0) error = errno != 0 ? errno : ENOMEM;
    ReportPackError(reporter, messages::PackTargetNotCreated(target_path, SystemReason(error)));
    return 1;
  }
  if (!CopyToGzip(source, gzip, source_path, target_path, reporter)) return 1;
  std::string failure = PatchOsByte(target.path());
  if (failure.empty()) {
    if (const int committed = target.Commit()) failure = SystemReason(committed);
  }
  if (!failure.empty()) {
    ReportPackError(reporter, messages::PackWriteFailed(target_path, failure));
    return 1;
  }
  return 0;
}

}  // namespace builder
