#include "builder/convert/packing.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "builder/convert/messages.h"
#include "common/replacement_file.h"
#include "common/system_reason.h"
#include "format/zlib_reason.h"

namespace builder {
namespace {

// zlib writes the operating system it was built for; the handheld's files carry 0x0B.
Status PatchOsByte(const std::string& target_path) {
  std::FILE* file = std::fopen(target_path.c_str(), "r+b");
  if (file == nullptr) return SystemFailure(errno);
  const bool written =
      std::fseek(file, kGzipOsByteOffset, SEEK_SET) == 0 && std::fputc(kGzipOsByte, file) != EOF;
  const bool closed = std::fclose(file) == 0;
  return written && closed ? Status::Ok() : SystemFailure(errno ? errno : EIO);
}

}  // namespace

Status CopyToGzip(ByteSource& source, gzFile gzip, const std::string& source_path,
                  const std::string& target_path, Reporter& reporter) {
  std::vector<char> block(kPackBlockSize);
  std::int64_t total = 0;
  while (true) {
    const StatusOr<std::size_t> read = source.Read(block.data(), block.size());
    if (!read.ok()) {
      gzclose(gzip);
      return Status::NoInput(messages::PackReadFailed(source_path, read.status().message()));
    }
    const std::size_t got = read.value();
    if (got == 0) break;
    total += static_cast<std::int64_t>(got);
    reporter.StatusText(messages::Packing(total));
    if (gzwrite(gzip, block.data(), static_cast<unsigned>(got)) != static_cast<int>(got)) {
      int code = 0;
      const char* text = gzerror(gzip, &code);
      const std::string reason =
          code == Z_ERRNO ? SystemReason(errno) : format::ZlibReason(code, text);
      gzclose(gzip);
      return Status::NoOutput(messages::PackWriteFailed(target_path, reason));
    }
  }
  if (const int closed = gzclose(gzip); closed != Z_OK) {
    const std::string reason =
        closed == Z_ERRNO ? SystemReason(errno) : format::ZlibReason(closed, nullptr);
    return Status::NoOutput(messages::PackWriteFailed(target_path, reason));
  }
  return Status::Ok();
}

Status PackFile(const std::string& source_path, const std::string& target_path, const char* mode,
                Reporter& reporter) {
  FileSource source(source_path);
  if (!source.is_open())
    return Status::NoInput(messages::PackSourceUnreadable(source_path, source.open_error()));
  // The packed file is written beside the target and takes its place only once complete; a
  // failure leaves the target as it was, and the unfinished file goes with `target`.
  ReplacementFile target(target_path);
  Status created = target.Create();
  gzFile gzip = created.ok() ? gzopen(target.path().c_str(), mode) : nullptr;
  if (gzip == nullptr) {
    if (created.ok()) created = SystemFailure(errno != 0 ? errno : ENOMEM);
    return Status::NoOutput(messages::PackTargetNotCreated(target_path, created.message()));
  }
  if (Status copied = CopyToGzip(source, gzip, source_path, target_path, reporter); !copied.ok())
    return copied;
  Status finished = PatchOsByte(target.path());
  if (finished.ok()) finished = target.Commit();
  if (!finished.ok())
    return Status::NoOutput(messages::PackWriteFailed(target_path, finished.message()));
  return Status::Ok();
}

}  // namespace builder
