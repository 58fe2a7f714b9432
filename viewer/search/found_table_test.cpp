#include "viewer/search/found_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/test/cp1251.h"
#include "common/test/scratch_folder.h"

namespace viewer {
namespace {

using testing_support::Cp;
using testing_support::ReadBytes;
using testing_support::ScratchFolder;
using testing_support::WriteBytes;

// Values that each format has to keep apart from its own syntax.
Book Awkward() {
  BookLayout layout{BookKind::kTable, "T", {}};
  for (const char* name : {"A", "B, C"}) layout.fields.push_back({.name = name});
  Book book(layout);
  const std::string hedgehog = Cp("ёж");  // Windows-1251 in the book, UTF-8 out of it
  const std::vector<std::vector<std::string_view>> records = {
      {"plain", "tab\there"}, {"say \"hi\"", "two\r\nlines"}, {hedgehog, "y"}};
  for (const auto& record : records) book.Append(record);
  return book;
}

TEST(FoundTable, EachFormatKeepsValuesApartFromItsSyntax) {
  const Book book = Awkward();
  const std::vector<std::uint32_t> found = {0, 1};
  const FoundTable table{book, {1, 0}, found};
  EXPECT_EQ(TabSeparated(table), "B, C\tA\ntab here\tplain\ntwo  lines\tsay \"hi\"\n");
  EXPECT_EQ(CommaSeparated(table),
            "\"B, C\",A\r\ntab\there,plain\r\n\"two\r\nlines\",\"say \"\"hi\"\"\"\r\n");
}

TEST(FoundTable, WrittenFileReplacesTheOldOneOnlyWhenComplete) {
  ScratchFolder folder;
  const Book book = Awkward();
  const std::vector<std::uint32_t> found = {2};
  const std::string path = folder.File("found.csv");
  WriteBytes(path, "old");
  ASSERT_TRUE(WriteCommaSeparated(path, {book, {0}, found}).ok());
  EXPECT_EQ(ReadBytes(path), "A\r\nёж\r\n");
  const Status failed = WriteCommaSeparated(folder.File("missing/found.csv"), {book, {0}, found});
  EXPECT_FALSE(failed.ok());
  EXPECT_FALSE(failed.message().empty());
}

}  // namespace
}  // namespace viewer
