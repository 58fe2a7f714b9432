#include "builder/convert/source_header.h"

#include <gtest/gtest.h>

#include <string>

#include "builder/convert/test/test_support.h"

namespace builder {
namespace {

using format::DbFieldDesc;
using format::DbHeader;

StatusKind ReadFrom(const std::string& text, DbHeader& header, char& splitter) {
  MemorySource source(text);
  LineReader reader(source);
  return ReadSourceHeader(reader, "book.fsr", header, splitter).kind();
}

const std::string kTail = "2\r\n5\r\n0\r\nName\r\n";

TEST(ReadValueLine, SkipsCommentsKeepsLineEndAndCutsLongLinesInPieces) {
  const std::string long_line = std::string(300, 'x') + "\r\n";
  MemorySource source("; comment\r\n;\r\n\r\nvalue\r\n" + long_line);
  LineReader reader(source);
  std::string value;
  ASSERT_TRUE(ReadValueLine(reader, value));
  EXPECT_EQ(value, "\r\n");  // an empty line is a value
  ASSERT_TRUE(ReadValueLine(reader, value));
  EXPECT_EQ(value, "value\r\n");
  ASSERT_TRUE(ReadValueLine(reader, value));
  EXPECT_EQ(value, std::string(254, 'x'));
  ASSERT_TRUE(ReadValueLine(reader, value));
  EXPECT_EQ(value, std::string(46, 'x') + "\r\n");
  EXPECT_FALSE(ReadValueLine(reader, value));
}

TEST(ReadSourceHeader, PrefixIsTestedOnItsFirst18Characters) {
  DbHeader header;
  char splitter = 'x';
  EXPECT_EQ(ReadFrom("Brindlewick Source and more\r\n13\r\n'|'\r\n" + kTail, header, splitter),
            StatusKind::kOk);
  EXPECT_EQ(splitter, '|');

  DbHeader refused;
  char untouched = 'x';
  EXPECT_EQ(ReadFrom("Brindlewick Sourc\r\n13\r\n'|'\r\n" + kTail, refused, untouched),
            StatusKind::kRefusal);
  EXPECT_EQ(untouched, 'x');
  EXPECT_TRUE(refused.name.empty());
  EXPECT_EQ(ReadFrom("", refused, untouched), StatusKind::kRefusal);
}

TEST(ReadSourceHeader, Version12AndBelowHaveNoSplitterLine) {
  DbHeader header;
  char splitter = 'x';
  ASSERT_EQ(ReadFrom("Brindlewick Source\r\n12\r\n" + kTail, header, splitter), StatusKind::kOk);
  EXPECT_EQ(splitter, ';');
  EXPECT_EQ(header.version, 12);
  EXPECT_EQ(header.field_count, 2);
  EXPECT_EQ(header.record_count, 5u);
  EXPECT_EQ(header.name, "Name");

  // The version is kept in 8 bits: 268 is 12 and reads no splitter line.
  ASSERT_EQ(ReadFrom("Brindlewick Source\r\n268\r\n" + kTail, header, splitter), StatusKind::kOk);
  EXPECT_EQ(header.version, 12);
}

TEST(ReadSourceHeader, NumbersAndNameFollowTheirWidths) {
  DbHeader header;
  char splitter = 0;
  const std::string text = "Brindlewick Source\r\n13abc\r\n''\r\n3 fields\r\n1234567\r\n7\r\n" +
                           std::string(60, 'N') + "\r\n";
  ASSERT_EQ(ReadFrom(text, header, splitter), StatusKind::kOk);
  EXPECT_EQ(header.version, 13);
  EXPECT_EQ(splitter, '\'');  // an empty splitter box is written as '' and read as '
  EXPECT_EQ(header.field_count, 3);
  EXPECT_EQ(header.record_count, 1234567u);
  EXPECT_EQ(header.flags, 7);
  EXPECT_EQ(header.name, std::string(50, 'N'));

  ASSERT_EQ(
      ReadFrom("Brindlewick Source\r\n13\r\n';'\r\n1\r\n1\r\n0\r\nAb\tcd\r\n", header, splitter),
      StatusKind::kOk);
  EXPECT_EQ(header.name, "Ab");
}

TEST(ReadSourceHeader, AHeaderCutShortIsTruncated) {
  DbHeader header;
  char splitter = 0;
  EXPECT_EQ(ReadFrom("Brindlewick Source\r\n13\r\n';'\r\n2\r\n", header, splitter),
            StatusKind::kError);
}

TEST(ReadFieldDesc, EightAndSixteenBitValues) {
  MemorySource source(
      "; Field #1\r\nA very long field name\r\n2\r\n258\r\n4\r\n1\r\n2\r\n0\r\n"
      "70000\r\n120\r\n-1\r\n");
  LineReader reader(source);
  const StatusOr<DbFieldDesc> read = ReadFieldDesc(reader, "book.fsr");
  ASSERT_TRUE(read.ok());
  const DbFieldDesc& field = read.value();
  EXPECT_EQ(field.name, "A very long fiel");
  EXPECT_EQ(field.type, 2);
  EXPECT_EQ(field.flags, 2);  // 258 in 8 bits
  EXPECT_EQ(field.num_size, 4);
  EXPECT_EQ(field.edit_width, 70000 % 65536);
  EXPECT_EQ(field.result_size, 120);
  EXPECT_EQ(field.max_size, 65535);
  EXPECT_EQ(ReadFieldDesc(reader, "book.fsr").status().kind(), StatusKind::kError);
}

}  // namespace
}  // namespace builder
