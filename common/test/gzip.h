// Bytes packed as one gzip member in memory, for tests and fuzz targets of the packed readers.
#pragma once

#include <zlib.h>

#include <cstdlib>
#include <string>
#include <string_view>

namespace testing_support {

inline std::string Gzip(std::string_view bytes) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8,
                   Z_DEFAULT_STRATEGY) != Z_OK)
    std::abort();
  std::string packed(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(packed.data());
  stream.avail_out = static_cast<uInt>(packed.size());
  if (deflate(&stream, Z_FINISH) != Z_STREAM_END) std::abort();
  packed.resize(stream.total_out);
  deflateEnd(&stream);
  return packed;
}

}  // namespace testing_support
