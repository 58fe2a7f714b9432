#include "format/phone_book_layout.h"

#include <algorithm>
#include <cstring>

#include "common/little_endian.h"
#include "format/table_layout.h"

namespace format {
namespace {

constexpr std::size_t kMarkerAt = 4;
constexpr std::size_t kDigitsAt = 5;
constexpr std::size_t kNameAt = 6;

}  // namespace

std::array<char, kPhoneBookHeaderSize> EncodePhoneBookHeader(const PhoneBookHeader& header) {
  std::array<char, kPhoneBookHeaderSize> bytes{};
  PutLittleEndian(bytes.data(), header.record_count, 4);
  bytes[kMarkerAt] = kPhoneBookMarker;
  bytes[kDigitsAt] = static_cast<char>(header.digits);
  std::memcpy(&bytes[kNameAt], header.name.data(),
              std::min(header.name.size(), kMaxPhoneBookNameBytes));
  return bytes;
}

PhoneBookHeader DecodePhoneBookHeader(const unsigned char* bytes) {
  PhoneBookHeader header;
  header.record_count = GetLittleEndian(bytes, 4);
  header.digits = bytes[kDigitsAt];
  header.name = TextBeforeNul(bytes + kNameAt, kPhoneBookNameField);
  return header;
}

std::array<char, 4> EncodeRecordCount(std::uint32_t records) {
  std::array<char, 4> bytes{};
  PutLittleEndian(bytes.data(), records, 4);
  return bytes;
}

}  // namespace format
