#include "builder/convert/phone_book.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder/convert/test/test_support.h"
#include "format/phone_book_layout.h"

namespace builder {
namespace {

using testing::Hex;
using testing::ReadBytes;
using testing::RecordingReporter;
using testing::ScratchDir;

class ConvertPhoneBookTest : public testing::EncodingTwinTest {
 protected:
  StatusKind Convert(const std::string& list, int digits = 3, char splitter = ';') {
    WriteInput(input_, list);
    reporter_ = RecordingReporter();
    result_ = ConvertPhoneBook(input_, output_, "Staff", splitter, digits, reporter_);
    return result_.kind();
  }
  std::string Records() const { return ReadBytes(output_).substr(format::kPhoneBookHeaderSize); }
  const std::string& Message() const { return result_.message(); }

  ScratchDir dir_;
  std::string input_ = dir_.File("list.csv");
  std::string output_ = dir_.File("list.db");
  RecordingReporter reporter_;
  ConversionResult result_;
};

TEST_P(ConvertPhoneBookTest, HeaderRecordsAndEndMarker) {
  ASSERT_EQ(Convert("555;a;b;c;d\r\n123;ee;f;g;h\r\n"), StatusKind::kOk);
  const std::string out = ReadBytes(output_);
  EXPECT_EQ(out.substr(0, 6), Hex("02 00 00 00 0B 03"));
  EXPECT_EQ(out.substr(6, 23), "Staff" + std::string(18, '\0'));
  EXPECT_EQ(Records(), Hex("09 41 00 42 00 43 00 44 00 0A 45 45 00 46 00 47 00 48 00 FF FF"));
  EXPECT_EQ(reporter_.statuses, std::vector<std::string>{"Преобразовано: 2"});
}

TEST_P(ConvertPhoneBookTest, NameFillsItsFieldOf23Bytes) {
  WriteInput(input_, "5;a;b;c;d\r\n");
  const std::string name(30, 'N');
  ASSERT_EQ(ConvertPhoneBook(input_, output_, name, ';', 1, reporter_).kind(), StatusKind::kOk);
  EXPECT_EQ(ReadBytes(output_).substr(6, 23), std::string(22, 'N') + '\0');
}

TEST_P(ConvertPhoneBookTest, UpperCasesAndTrimsTrailingBlanks) {
  ASSERT_EQ(Convert("555; ab  ;\xE0\xFF\xB8;Zz;q\r\n"), StatusKind::kOk);  // Cyrillic а я ё
  EXPECT_EQ(Records(), Hex("0E 20 41 42 00 C0 DF A8 00 5A 5A 00 51 00 FF FF"));
}

TEST_P(ConvertPhoneBookTest, ControlByteShiftsFieldsAndDropsTheLast) {
  ASSERT_EQ(Convert("555;a\tb;c;d;e\r\n"), StatusKind::kOk);
  EXPECT_EQ(Records(), Hex("09 41 00 42 00 43 00 44 00 FF FF"));
}

TEST_P(ConvertPhoneBookTest, LowerCaseSplitterPassesTheCountButNoLongerSplits) {
  // The whole upper-cased line is the phone field; the text fields read empty, inside the line.
  EXPECT_EQ(Convert("1x2x3x4x5\r\n", 9, 'x'), StatusKind::kOk);
  EXPECT_EQ(Records(), Hex("05 00 00 00 00 FF FF"));
}

TEST_P(ConvertPhoneBookTest, LineLengthLimitIs255WithLineEnd) {
  const std::string fits = "555;" + std::string(243, 'a') + ";b;c;d\r\n";
  ASSERT_EQ(fits.size(), 255u);
  EXPECT_EQ(Convert(fits), StatusKind::kOk);
  const std::string too_long = "555;" + std::string(244, 'a') + ";b;c;d\r\n";
  EXPECT_EQ(Convert(too_long), StatusKind::kError);
  std::string upper = too_long;
  std::replace(upper.begin(), upper.end(), 'a', 'A');
  std::replace(upper.begin(), upper.end(), 'b', 'B');
  std::replace(upper.begin(), upper.end(), 'c', 'C');
  std::replace(upper.begin(), upper.end(), 'd', 'D');
  EXPECT_EQ(
      Message(),
      "Запись - 1, слишком длинная - 256, максимально возможная длина записи - 255\r\n" + upper);
}

TEST_P(ConvertPhoneBookTest, ChecksInOrderWithTheirMessages) {
  struct Case {
    const char* what;
    std::string list;
    std::string message;
    std::size_t output_size;
  };
  const Case cases[] = {
      {"empty file", "", "Ошибка чтение исходного файла данных - " + input_, 0},
      {"quoted texts", "\"555\";a;b;c;d\r\n",
       "Неправильные исходные данные, номер телефона должен начинаться с цифры,\r\n"
       "возможно вы используете ограничитель текста - \"",
       0},
      {"extra line break at the end", "555;a;b;c;d\r\n\r\n",
       "Запись - 2, неверное число разделителей - 0, должно быть - 4\r\n\r\n", 29 + 9},
      {"five splitters", "555;a;b;c;d;e\r\n",
       "Запись - 1, неверное число разделителей - 5, должно быть - 4\r\n555;a;b;c;d;e\r\n", 29},
      {"phone too short", "555;a;b;c;d\r\n55;a;b;c;d\r\n",
       "Запись - 2, телефон-55, число знаков в номере телефона - 2, не соответствует заданному - 3",
       29 + 9},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Convert(c.list), StatusKind::kError) << c.what;
    EXPECT_EQ(Message(), c.message) << c.what;
    EXPECT_EQ(ReadBytes(output_).size(), c.output_size) << c.what;
  }
  // The window's disabled digits field gives 0.
  EXPECT_EQ(Convert("555;a;b;c;d\r\n", 0), StatusKind::kError);
}

TEST_P(ConvertPhoneBookTest, ResultCodesWithoutMessages) {
  const ConversionResult missing =
      ConvertPhoneBook(dir_.File("missing.csv"), output_, "N", ';', 3, reporter_);
  EXPECT_EQ(missing.kind(), StatusKind::kNoInput);
  EXPECT_EQ(missing.message(), "");
  WriteInput(input_, "555;a;b;c;d\r\n");
  const ConversionResult uncreated =
      ConvertPhoneBook(input_, dir_.File("no/dir/x.db"), "N", ';', 3, reporter_);
  EXPECT_EQ(uncreated.kind(), StatusKind::kNoOutput);
  EXPECT_EQ(uncreated.message(), "");
}

TEST_P(ConvertPhoneBookTest, ProgressEveryThousandRecords) {
  std::string list;
  for (int i = 0; i < 2500; ++i) list += "555;a;b;c;d\r\n";
  ASSERT_EQ(Convert(list), StatusKind::kOk);
  EXPECT_EQ(reporter_.statuses,
            (std::vector<std::string>{"Преобразуется: 1000", "Преобразуется: 2000",
                                      "Преобразовано: 2500"}));
  EXPECT_EQ(ReadBytes(output_).substr(0, 4), Hex("C4 09 00 00"));
}

TEST(BuildPhoneRecord, RecordLongerThanItsLengthByteIsRefused) {
  // An empty phone field (no digits asked for) on a last line without a line end leaves one
  // byte too many for the length byte; the line checker reaches such lines after record 1.
  const std::string line = ";" + std::string(248, 'A') + ";B;C;D";
  ASSERT_EQ(line.size(), 255u);
  ConversionState state;
  state.splitter = ';';
  EXPECT_EQ(
      BuildPhoneRecord(2, line, 0, state).message(),
      "Запись - 2, в базе заняла бы 256 байт, максимально возможная длина записи - 255\r\n" + line);
  EXPECT_FALSE(BuildPhoneRecord(3, line.substr(1), 0, state).ok());  // phone is 248 A's
  EXPECT_TRUE(BuildPhoneRecord(4, line.substr(0, 254), 0, state).ok());
  EXPECT_EQ(static_cast<unsigned char>(state.record[0]), 255);
}

INSTANTIATE_TEST_SUITE_P(Encodings, ConvertPhoneBookTest, ::testing::ValuesIn(testing::kRenderings),
                         testing::RenderingName);

}  // namespace
}  // namespace builder
