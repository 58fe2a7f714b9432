#include "builder/convert/table_database.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder/convert/messages.h"
#include "builder/convert/test/test_support.h"

namespace builder {
namespace {

using format::kDbFieldDescSize;
using format::kDbHeaderSize;
using testing::FieldLines;
using testing::Hex;
using testing::ReadBytes;
using testing::RecordingReporter;
using testing::ScratchDir;
using testing::SourceFile;

constexpr std::size_t kHeaderAndFields3 = kDbHeaderSize + 3 * kDbFieldDescSize;

const std::vector<FieldLines> kThreeText = {{"One"}, {"Two"}, {"Three"}};
const std::vector<FieldLines> kTextAndNumber = {{"Name"}, {.name = "Sum", .type = 2, .size = 2}};

class ConvertSourceFileTest : public testing::EncodingTwinTest {
 protected:
  StatusKind Convert(const std::string& source) {
    WriteInput(input_, source);
    result_ = ConvertSourceFile(input_, output_, reporter_);
    return result_.kind();
  }
  std::string Output() const { return ReadBytes(output_); }
  std::string Records(std::size_t fields) const {
    return Output().substr(kDbHeaderSize + fields * kDbFieldDescSize);
  }
  std::string Field(int index, std::size_t offset, std::size_t size) const {
    return Output().substr(kDbHeaderSize + index * kDbFieldDescSize + offset, size);
  }
  const std::string& Message() const { return result_.message(); }

  ScratchDir dir_;
  std::string input_ = dir_.File("book.fsr");
  std::string output_ = dir_.File("book.db");
  RecordingReporter reporter_;
  ConversionResult result_;
};

TEST_P(ConvertSourceFileTest, ThreeTextFieldsTwoRecords) {
  ASSERT_EQ(Convert(SourceFile(kThreeText, "a;b;c\r\nd;e;f\r\n", 13, ';', "Book", -1, 7)),
            StatusKind::kOk);
  const std::string out = Output();
  ASSERT_EQ(out.size(), kHeaderAndFields3 + 7 + 7 + 2);
  EXPECT_EQ(out.substr(0, 4), "BRWK");
  EXPECT_EQ(out[4], 13);
  EXPECT_EQ(out[5], 3);
  EXPECT_EQ(out.substr(6, 2), "ew");
  EXPECT_EQ(out.substr(8, 4), Hex("02 00 00 00"));  // records converted, not the declared 7
  EXPECT_EQ(out.substr(13, 5), std::string("Book\0", 5));
  EXPECT_EQ(Field(0, 0, 4), std::string("One\0", 4));
  EXPECT_EQ(Field(2, 16, 12), Hex("01 00 00 01 01 00 3C 00 46 00 0A 00"));
  EXPECT_EQ(Records(3), Hex("07 61 00 62 00 63 00 07 64 00 65 00 66 00 FF FF"));
  EXPECT_EQ(reporter_.statuses, std::vector<std::string>{"Преобразовано: 2"});
}

TEST_P(ConvertSourceFileTest, ValuesAreEncodedByTheirFieldType) {
  ASSERT_EQ(Convert(SourceFile(kTextAndNumber,
                               "Ivanov;300\r\nPetrov  ;-1\r\n Sidorov;none\r\nX;1;extra;more\r\n")),
            StatusKind::kOk);
  EXPECT_EQ(Records(2), Hex("0A 49 76 61 6E 6F 76 00 2C 01 "
                            "0A 50 65 74 72 6F 76 00 FF FF "
                            "0C 20 53 69 64 6F 72 6F 76 00 00 00 "
                            "05 58 00 01 00 "
                            "FF FF"));
}

TEST_P(ConvertSourceFileTest, MaxSizeRisesOnlyPastTheCurrentValue) {
  struct Case {
    std::vector<int> lengths;
    int max_size;
  };
  const Case cases[] = {{{12, 11}, 13}, {{11, 12}, 12}, {{10, 3}, 10}};
  for (const Case& c : cases) {
    std::string data;
    for (int length : c.lengths) data += std::string(length, 'v') + "\r\n";
    ASSERT_EQ(Convert(SourceFile({{.name = "Only", .max = 10}}, data)), StatusKind::kOk);
    EXPECT_EQ(Field(0, 26, 2), (std::string{char(c.max_size), 0})) << c.lengths[0];
  }
}

TEST_P(ConvertSourceFileTest, LineLengthLimitIs255WithLineEnd) {
  const std::string fits = std::string(253, 'x') + "\r\n";
  ASSERT_EQ(Convert(SourceFile({{"Only"}}, fits)), StatusKind::kOk);
  EXPECT_EQ(static_cast<unsigned char>(Records(1)[0]), 255);

  const std::string too_long = std::string(254, 'x') + "\r\n";
  EXPECT_EQ(Convert(SourceFile({{"Only"}}, "ok\r\n" + too_long)), StatusKind::kError);
  EXPECT_EQ(Message(),
            "Запись - 2, слишком длинная - 256, максимально возможная длина "
            "записи - 255\r\n" +
                too_long);
}

TEST_P(ConvertSourceFileTest, Version12SplitsAtSemicolonAndOtherSplittersWork) {
  ASSERT_EQ(Convert(SourceFile(kThreeText, "a;b;c\r\n", 12, '|')), StatusKind::kOk);
  EXPECT_EQ(Records(3), Hex("07 61 00 62 00 63 00 FF FF"));
  ASSERT_EQ(Convert(SourceFile(kThreeText, "a|b|c\r\n", 13, '|')), StatusKind::kOk);
  EXPECT_EQ(Records(3), Hex("07 61 00 62 00 63 00 FF FF"));
}

TEST_P(ConvertSourceFileTest, EmptyLineIsOneEmptyValueOrTooFewSplitters) {
  ASSERT_EQ(Convert(SourceFile({{"Only"}}, "\r\n")), StatusKind::kOk);
  EXPECT_EQ(Records(1), Hex("02 00 FF FF"));

  EXPECT_EQ(Convert(SourceFile(kThreeText, "a;b;c\r\n\r\n")), StatusKind::kError);
  EXPECT_EQ(Message(), "Запись - 2, неверное число разделителей - 0, должно быть - 2\r\n\r\n");
}

TEST_P(ConvertSourceFileTest, ProgressEveryThousandRecords) {
  std::string data;
  for (int i = 0; i < 2500; ++i) data += "v\r\n";
  ASSERT_EQ(Convert(SourceFile({{"Only"}}, data)), StatusKind::kOk);
  EXPECT_EQ(reporter_.statuses,
            (std::vector<std::string>{"Преобразуется: 1000", "Преобразуется: 2000",
                                      "Преобразовано: 2500"}));
  EXPECT_EQ(Output().substr(8, 4), Hex("C4 09 00 00"));
}

TEST_P(ConvertSourceFileTest, FailureKeepsProvisionalHeaderAndEarlierRecords) {
  // The splitter check comes first: a line failing both reports the splitters.
  const std::string bad = "a;" + std::string(300, 'x') + "\r\n";
  const std::string good = SourceFile(kThreeText, "a;b;c\r\n", 13, ';', "Book", -1, 9);
  EXPECT_EQ(Convert(good + bad), StatusKind::kError);
  EXPECT_EQ(Message(), "Запись - 2, неверное число разделителей - 1, должно быть - 2\r\n" +
                           bad.substr(0, 510));
  EXPECT_EQ(result_.fault_line, std::count(good.begin(), good.end(), '\n') + 1);
  const std::string out = Output();
  ASSERT_EQ(out.size(), kHeaderAndFields3 + 7);
  EXPECT_EQ(out.substr(0, 4), "Brin");
  EXPECT_EQ(out.substr(8, 4), Hex("09 00 00 00"));
  EXPECT_EQ(out.substr(kHeaderAndFields3), Hex("07 61 00 62 00 63 00"));
}

TEST_P(ConvertSourceFileTest, ResultCodesAndTheirMessages) {
  // The files the caller names are its to put into a message.
  const ConversionResult missing = ConvertSourceFile(dir_.File("missing.fsr"), output_, reporter_);
  EXPECT_EQ(missing.kind(), StatusKind::kNoInput);
  EXPECT_EQ(missing.message(), "");
  WriteInput(input_, SourceFile(kThreeText, ""));
  const ConversionResult uncreated =
      ConvertSourceFile(input_, dir_.File("no/such/dir.db"), reporter_);
  EXPECT_EQ(uncreated.kind(), StatusKind::kNoOutput);
  EXPECT_EQ(uncreated.message(), "");

  EXPECT_EQ(Convert("Brindlewick source\r\n13\r\n"), StatusKind::kError);
  EXPECT_EQ(Message(), messages::NotASourceFile(input_));

  EXPECT_EQ(Convert(""), StatusKind::kError);
  EXPECT_EQ(Message(), "Ошибка чтение исходного файла данных - " + input_);
  EXPECT_EQ(Output(), "");

  // An input that opens but cannot be read is a read failure, never an empty success.
  const ConversionResult folder = ConvertSourceFile(dir_.File(""), output_, reporter_);
  EXPECT_EQ(folder.kind(), StatusKind::kError);
  EXPECT_EQ(folder.message(),
            "Ошибка чтение исходного файла данных - " + dir_.File("") + ": это папка");
}

// Files the designer never writes: refused before anything is written, never misread.
TEST_P(ConvertSourceFileTest, RefusesLayoutsTheDatabaseCannotHold) {
  struct Case {
    const char* what;
    std::string source;
    std::string message;
  };
  const std::vector<FieldLines> eleven(11, FieldLines{});
  const Case cases[] = {
      {"eleven fields", SourceFile(eleven, "x\r\n"),
       "Неверное число полей - 11, должно быть от 1 до 10"},
      {"no field", SourceFile({}, "x\r\n"), "Неверное число полей - 0, должно быть от 1 до 10"},
      {"numeric size 5", SourceFile({{"A"}, {.name = "N", .type = 2, .size = 5}}, "a;1\r\n"),
       "Поле 2 (N), неверный размер числа - 5, должен быть от 1 до 4"},
      {"numeric size 0", SourceFile({{.name = "N", .type = 2, .size = 0}}, "1\r\n"),
       "Поле 1 (N), неверный размер числа - 0, должен быть от 1 до 4"},
      {"header cut short", SourceFile(kThreeText, "").substr(0, 200),
       "Заголовок исходного файла неполный - " + input_},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Convert(c.source), StatusKind::kError) << c.what;
    EXPECT_EQ(Message(), c.message) << c.what;
    EXPECT_EQ(Output(), "") << c.what;
  }
}

TEST_P(ConvertSourceFileTest, RecordLongerThanItsLengthByteIsRefused) {
  // Nine numbers of 4 bytes take more than their digits and splitters; the last line has no
  // line end, so even the line-length rule lets it through.
  std::vector<FieldLines> numbers(10, FieldLines{.type = 2, .size = 4});
  numbers[0] = FieldLines{.name = "Text", .max = 10};
  const std::string wide_text = std::string(230, 'x') + ";1;2;3;4;5;6;7;8;9";
  EXPECT_EQ(Convert(SourceFile(numbers, "a;1;2;3;4;5;6;7;8;9\r\n" + wide_text)),
            StatusKind::kError);
  EXPECT_EQ(Message(),
            "Запись - 2, в базе заняла бы 268 байт, максимально возможная длина "
            "записи - 255\r\n" +
                wide_text);
  EXPECT_EQ(Records(10).size(), 1u + 9 * 4 + 2);  // the first record only, no end marker
}

TEST_P(ConvertSourceFileTest, ControlCharacterInsideAValueEndsItAndShiftsTheRest) {
  ASSERT_EQ(Convert(SourceFile(kThreeText, "a\tb;c;d\r\nx\ry;z;w\n")), StatusKind::kOk);
  EXPECT_EQ(Records(3), Hex("07 61 00 62 00 63 00 "  // d is dropped
                            "07 78 00 79 00 7A 00 FF FF"));
}

INSTANTIATE_TEST_SUITE_P(Encodings, ConvertSourceFileTest,
                         ::testing::ValuesIn(testing::kRenderings), testing::RenderingName);

}  // namespace
}  // namespace builder
