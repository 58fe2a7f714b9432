#include "builder/convert/packing.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "builder/convert/messages.h"
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
  gzFile gzip = gzopen(target_path.c_str(), mode);
  if (gzip == nullptr) {
    ReportPackError(reporter, "Can't gzopen " + target_path);
    return 1;
  }
  bool packed = CopyToGzip(source, gzip, target_path, reporter);
  if (packed) {
    if (const std::string failure = PatchOsByte(target_path); !failure.empty()) {
      ReportPackError(reporter, target_path + ": " + failure);
      packed = false;
    }
  }
  if (!packed) {
    // Only a file of our own making is removed, never a device or other special file.
    std::error_code error;
    if (std::filesystem::is_regular_file(target_path, error)) std::remove(target_path.c_str());
    return 1;
  }
  return 0;
}

}  // namespace builder
