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

bool CopyToGzip(ByteSource& source, gzFile gzip, const std::string& target_path,
                Reporter& reporter) {
  std::vector<char> block(kPackBlockSize);
  std::int64_t total = 0;
  while (true) {
    const std::size_t got = source.Read(block.data(), block.size());
    if (source.failed()) {
      gzclose(gzip);
      ReportPackError(reporter, "fread: " + source.FailureText());
      return false;
    }
    if (got == 0) break;
    total += static_cast<std::int64_t>(got);
    reporter.StatusText(messages::Packing(total));
    if (gzwrite(gzip, block.data(), static_cast<unsigned>(got)) != static_cast<int>(got)) {
      int code = 0;
      const char* text = gzerror(gzip, &code);
      std::string wording = text != nullptr && *text != '\0' ? text : target_path;
      if (code == Z_ERRNO) wording += ": " + SystemReason(errno);
      gzclose(gzip);
      ReportPackError(reporter, wording);
      return false;
    }
  }
  if (gzclose(gzip) != Z_OK) {
    ReportPackError(reporter, "failed gzclose");
    return false;
  }
  return true;
}

int PackFile(const std::string& source_path, const std::string& target_path, const char* mode,
             Reporter& reporter) {
  FileSource source(source_path);
  if (!source.is_open()) {
    reporter.StandardError(source_path + ": " + source.open_error());
    return 1;
  }
  // The packed file is written beside the target and takes its place only once complete; a
  // failure leaves the target as it was, and the unfinished file goes with `target`.
  ReplacementFile target(target_path);
  gzFile gzip = target.Create() == 0 ? gzopen(target.path().c_str(), mode) : nullptr;
  if (gzip == nullptr) {
    ReportPackError(reporter, "Can't gzopen " + target_path);
    return 1;
  }
  if (!CopyToGzip(source, gzip, target_path, reporter)) return 1;
  std::string failure = PatchOsByte(target.path());
  if (failure.empty()) {
    if (const int error = target.Commit()) failure = SystemReason(error);
  }
  if (!failure.empty()) {
    ReportPackError(reporter, target_path + ": " + failure);
    return 1;
  }
  return 0;
}

}  // namespace builder
