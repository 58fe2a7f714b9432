// Little-endian numbers, least significant byte first: the order of every binary format we read
// or write (the databases and the preview's GIF pictures).
#pragma once

#include <cstdint>

// Writes the `bytes` (1 to 4) lowest bytes of `value` to `out`.
constexpr void PutLittleEndian(char* out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[i] = static_cast<char>(value >> (8 * i));
}

// The number held in the `bytes` (1 to 4) bytes at `in`, zero-extended.
constexpr std::uint32_t GetLittleEndian(const unsigned char* in, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | in[i];
  return value;
}
