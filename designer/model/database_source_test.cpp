#include "designer/model/database_source.h"

#include <gtest/gtest.h>

#include <string>

#include "common/test/scratch_folder.h"
#include "designer/model/source_file.h"
#include "designer/model/test/fake_window.h"

namespace designer {
namespace {

std::string Bytes(const auto& array) { return std::string(array.begin(), array.end()); }

// A table database of a text field and a one-byte numeric field off the input list, with
// `records` records "a;b" and 200, as the builder writes it.
std::string TableBytes(int records) {
  format::DbHeader header;
  const std::string prefix = std::string(format::kSourcePrefix) + "\r";
  std::copy(prefix.begin(), prefix.end(), header.prefix_line.begin());
  header.version = 13;
  header.field_count = 2;
  header.record_count = static_cast<std::uint32_t>(records);
  header.name = "Phones";
  std::string bytes =
      Bytes(format::EncodeDbHeader(header, true)) +
      Bytes(format::EncodeDbFieldDesc(
          {.name = "Name", .type = 1, .query_index = 1, .result_index = 1, .max_size = 4})) +
      Bytes(format::EncodeDbFieldDesc(
          {.name = "Sum", .type = 2, .num_size = 1, .result_index = 2, .max_size = 4}));
  for (int i = 0; i < records; ++i)
    bytes += std::string(
        "\x06"
        "a;b\0\xC8",
        6);
  return bytes + format::kEndMarker;
}

class DatabaseSourceTest : public testing::Test {
 protected:
  testing_support::ScratchFolder dir_;
  FakeWindow view_;
  Document doc_;
};

TEST_F(DatabaseSourceTest, OpensTheBookAsItStands) {
  const std::string path = dir_.Write("phones.fdb", TableBytes(21));
  ASSERT_TRUE(LoadDB(doc_, path, view_).ok());
  EXPECT_EQ(doc_.FieldCount, 2);
  EXPECT_EQ(doc_.RecordCount, 21);
  EXPECT_EQ(doc_.Fields[2], (TFieldDesc{"Sum", 2, 0, 1, 0, 2, 0, 0, 0, 4}));
  EXPECT_TRUE(doc_.SourceIsDatabase);
  EXPECT_FALSE(doc_.SourceIsFsr);
  // A field off the input list stays off it.
  EXPECT_TRUE(doc_.QueryBoxTicked[1]);
  EXPECT_FALSE(doc_.QueryBoxTicked[2]);
  EXPECT_TRUE(doc_.ResultBoxTicked[2]);
  EXPECT_EQ(doc_.SampleValues[20][1], "a;b");
  EXPECT_EQ(doc_.SampleValues[20][2], "200");
  EXPECT_EQ(view_.splitter, ",");  // the first splitter no value holds
  EXPECT_EQ(view_.database_name, "Phones");
  EXPECT_EQ(view_.status[0], "файл: phones.fdb");
  EXPECT_EQ(view_.status[2], "записей: 21");
  EXPECT_EQ(view_.loaded_count, 1);
}

TEST_F(DatabaseSourceTest, ARefusedBookLeavesTheDocument) {
  const std::string phone_book = std::string("\x01\0\0\0\x0B\x03N", 7) + std::string(22, '\0') +
                                 std::string(
                                     "\x09"
                                     "A\0B\0C\0D\0",
                                     9) +
                                 format::kEndMarker;
  struct Case {
    const char* what;
    std::string bytes;
    std::string message;
  };
  const Case cases[] = {
      {"phone book", phone_book, "Файл «book.db» — телефонная книга"},
      {"damaged", TableBytes(2).substr(0, 130),
       "Справочник «book.db»: смещение 130: данные обрываются в записи 2"},
  };
  for (const Case& c : cases) {
    const Status status = LoadDB(doc_, dir_.Write("book.db", c.bytes), view_);
    EXPECT_EQ(status.message().rfind(c.message, 0), 0u) << c.what << ": " << status.message();
    EXPECT_EQ(doc_.FieldCount, 0) << c.what;
    EXPECT_EQ(view_.loaded_count, 0) << c.what;
  }
}

TEST_F(DatabaseSourceTest, ASaveRefusesASplitterAValueHolds) {
  ASSERT_TRUE(LoadDB(doc_, dir_.Write("phones.db", TableBytes(1)), view_).ok());
  view_.splitter = ";";
  const std::string target = dir_.File("phones.fsr");
  const Status status = SaveFSR(doc_, target, view_);
  EXPECT_TRUE(status.refusal());
  EXPECT_EQ(status.message(),
            "Справочник «phones.db»: Запись 1, поле 1: значение содержит разделитель «;»");
  EXPECT_FALSE(std::filesystem::exists(target));
}

}  // namespace
}  // namespace designer
