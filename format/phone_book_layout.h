// The phone-book database's header, encoded and decoded side by side. Its records are those of
// the table database with four text values each. docs/phone-book.md has the bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace format {

inline constexpr std::size_t kPhoneBookHeaderSize = 29;
inline constexpr std::size_t kPhoneBookNameField = 23;
inline constexpr std::size_t kMaxPhoneBookNameBytes = kPhoneBookNameField - 1;
inline constexpr char kPhoneBookMarker = 0x0B;
inline constexpr int kPhoneBookTextValues = 4;
static_assert(4 + 1 + 1 + kPhoneBookNameField == kPhoneBookHeaderSize);

// The number of digits of a phone book's numbers as a text gives it: one digit, 0 to 9.
inline std::optional<std::uint8_t> ParsePhoneDigits(std::string_view text) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '9') return std::nullopt;
  return static_cast<std::uint8_t>(text[0] - '0');
}

struct PhoneBookHeader {
  std::uint32_t record_count = 0;
  std::uint8_t digits = 0;
  std::string name;  // at most 22 bytes
};

std::array<char, kPhoneBookHeaderSize> EncodePhoneBookHeader(const PhoneBookHeader& header);
// The name ends at its NUL, or after 23 bytes when there is none (which a whole header never
// lacks).
PhoneBookHeader DecodePhoneBookHeader(const unsigned char* bytes);
// The four bytes of a record count, which the conversion writes over the header's first when
// it knows it.
std::array<char, 4> EncodeRecordCount(std::uint32_t records);

}  // namespace format
