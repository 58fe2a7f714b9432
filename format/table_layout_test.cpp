#include "format/table_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "common/test/hex.h"

namespace format {
namespace {

using testing_support::Hex;

TEST(EncodeDbHeader, BuiltOverThePrefixLine) {
  DbHeader header;
  const std::string prefix = "Brindlewick Source\r";
  std::copy(prefix.begin(), prefix.end(), header.prefix_line.begin());
  header.version = 13;
  header.field_count = 3;
  header.record_count = 0x01020304;
  header.flags = 5;
  header.name = "AB";

  const auto complete = EncodeDbHeader(header, true);
  const std::string bytes(complete.begin(), complete.end());
  EXPECT_EQ(bytes.substr(0, 16), Hex("42 52 57 4B 0D 03 65 77 04 03 02 01 05 41 42 00"));
  // A name shorter than 5 bytes leaves the prefix line's bytes after its NUL up to offset 18.
  EXPECT_EQ(bytes.substr(16, 3), "ce\r");
  EXPECT_EQ(bytes.substr(19), std::string(45, '\0'));

  const DbHeader decoded = DecodeDbHeader(reinterpret_cast<const unsigned char*>(bytes.data()));
  EXPECT_EQ(decoded.name, "AB");
  EXPECT_EQ(decoded.record_count, 0x01020304u);
  EXPECT_EQ(std::string(decoded.prefix_line.begin() + 16, decoded.prefix_line.end()), "ce\r");

  const auto provisional = EncodeDbHeader(header, false);
  EXPECT_EQ(std::string(provisional.begin(), provisional.begin() + 4), "Brin");

  header.name = std::string(50, 'n');
  const auto full = EncodeDbHeader(header, true);
  EXPECT_EQ(std::string(full.begin() + 13, full.begin() + 63), std::string(50, 'n'));
  EXPECT_EQ(full[63], '\0');
}

TEST(EncodeDbFieldDesc, LayoutOf28Bytes) {
  DbFieldDesc field{"Sixteen_chars_16", 2, 9, 2, 1, 2, 3, 0x1234, 0x0102, 300};
  const auto encoded = EncodeDbFieldDesc(field);
  const std::string bytes(encoded.begin(), encoded.end());
  EXPECT_EQ(bytes.substr(0, 16), "Sixteen_chars_16");  // no terminator at 16 bytes
  EXPECT_EQ(bytes.substr(16), Hex("02 09 02 01 02 03 34 12 02 01 2C 01"));
  const DbFieldDesc decoded =
      DecodeDbFieldDesc(reinterpret_cast<const unsigned char*>(bytes.data()));
  EXPECT_EQ(EncodeDbFieldDesc(decoded), encoded);

  field.name = "ab";
  const auto short_name = EncodeDbFieldDesc(field);
  EXPECT_EQ(std::string(short_name.begin(), short_name.begin() + 16), "ab" + std::string(14, '\0'));
}

TEST(NumberText, UnsignedUpToThreeBytesSignedInFour) {
  EXPECT_EQ(NumberText(0xC8, 1), "200");
  EXPECT_EQ(NumberText(0xFFFF, 2), "65535");
  EXPECT_EQ(NumberText(0xFFFFFF, 3), "16777215");
  EXPECT_EQ(NumberText(0xFFFFFFFF, 4), "-1");
  EXPECT_EQ(NumberText(0x80000000, 4), "-2147483648");
}

}  // namespace
}  // namespace format
