// Packing a database into the handheld's gzip file (".fdb" / ".zdb"). docs/packed-file.md has
// the layout.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <string>

#include "builder/convert/byte_io.h"
#include "builder/convert/reporter.h"
#include "common/status.h"

namespace builder {

inline constexpr std::size_t kPackBlockSize = 16384;
inline constexpr std::size_t kGzipOsByteOffset = 9;
// The operating-system byte of our gzip header, whatever the local zlib writes.
inline constexpr unsigned char kGzipOsByte = 0x0B;

// Copies the whole source into the open gzip file in blocks of 16384 bytes, showing
// "Упаковка: %i" with the running total after each block, then closes the gzip file. Fails with
// the first failure (read, write or close), its message naming the file and the system's reason;
// the gzip file is closed then too. The paths name the files in messages.
Status CopyToGzip(ByteSource& source, gzFile gzip, const std::string& source_path,
                  const std::string& target_path, Reporter& reporter);

// Packs `source_path` into `target_path` with the zlib mode `mode` ("wb"). Ok when the target is
// complete; a failure (a source that cannot be opened included) carries the message a box
// captioned kCaptionPackError shows: no input when the source failed, no output when the target
// did. The target is replaced only by a complete file:
// after a failure it is as it was, or absent.
Status PackFile(const std::string& source_path, const std::string& target_path, const char* mode,
                Reporter& reporter);

}  // namespace builder
