#include "builder/convert/run_conversion.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "builder/convert/test_support.h"

namespace builder {
namespace {

using testing::Exists;
using testing::FieldLines;
using testing::ReadBytes;
using testing::RecordingReporter;
using testing::ScratchDir;
using testing::SourceFile;
using testing::WriteBytes;

TEST(NameConversion, KindAndNamesFromTheLastDotOfTheWholePath) {
  struct Case {
    std::string input;
    ConversionKind kind;
    std::string intermediate;
    std::string target;
  };
  const Case cases[] = {
      {"/data/list.csv", ConversionKind::kPhoneBook, "/data/list.db", "/data/list.fdb"},
      {"/data/book.fsr", ConversionKind::kSourceFile, "/data/book.db", "/data/book.fdb"},
      {"/data/LIST.FSR", ConversionKind::kSourceFile, "/data/LIST.db", "/data/LIST.fdb"},
      {"/data/list.db", ConversionKind::kPackedDatabase, "", "/data/list.zdb"},
      {"/data/list.Db", ConversionKind::kPackedDatabase, "", "/data/list.zdb"},
      {"/a.b/list", ConversionKind::kPhoneBook, "/a.db", "/a.fdb"},
      {"/data/list.", ConversionKind::kPhoneBook, "/data/list.db", "/data/list.fdb"},
      {"\"/data/book.fsr\"", ConversionKind::kPhoneBook, "\"/data/book.db", "\"/data/book.fdb"},
  };
  for (const Case& c : cases) {
    const auto names = NameConversion(c.input);
    ASSERT_TRUE(names.has_value()) << c.input;
    EXPECT_EQ(names->kind, c.kind) << c.input;
    EXPECT_EQ(names->intermediate, c.intermediate) << c.input;
    EXPECT_EQ(names->target, c.target) << c.input;
  }
  EXPECT_FALSE(NameConversion("/data/list").has_value());
}

class RunConversionTest : public ::testing::Test {
 protected:
  ConversionOutcome Run(const std::string& path, const std::string& name = "",
                        const std::string& digits = "") {
    ConversionRequest request;
    request.path = path;
    request.name = name;
    request.digits = digits;
    return RunConversion(request, reporter_);
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : reporter_.messages) {
      EXPECT_EQ(message.caption, "Ошибка");
      texts.push_back(message.text);
    }
    return texts;
  }

  ScratchDir dir_;
  RecordingReporter reporter_;
};

TEST_F(RunConversionTest, SourceFileIsConvertedPackedAndTheIntermediateDeleted) {
  const std::string input = dir_.File("book.FSR");
  WriteBytes(input, SourceFile({{"A"}, {"B"}}, "x;y\r\n"));
  EXPECT_EQ(Run(input), ConversionOutcome::kDone);
  EXPECT_EQ(reporter_.statuses,
            (std::vector<std::string>{"Преобразовано: 1", "Сжатие", "Упаковка: 127", "Готово"}));
  EXPECT_FALSE(Exists(dir_.File("book.db")));
  gzFile packed = gzopen(dir_.File("book.fdb").c_str(), "rb");
  ASSERT_NE(packed, nullptr);
  char start[4];
  EXPECT_EQ(gzread(packed, start, 4), 4);
  gzclose(packed);
  EXPECT_EQ(std::string(start, 4), "BRWK");
}

TEST_F(RunConversionTest, PhoneListUsesNameSplitterAndDigits) {
  const std::string input = dir_.File("staff.txt");
  WriteBytes(input, "12|a|b|c|d\r\n");
  ConversionRequest request{input, "Staff", "|", "2"};
  request.keep_intermediate = true;
  EXPECT_EQ(RunConversion(request, reporter_), ConversionOutcome::kDone);
  const std::string db = ReadBytes(dir_.File("staff.db"));
  EXPECT_EQ(db.substr(4, 7), std::string("\x0B\x02Staff", 7));
  EXPECT_TRUE(Exists(dir_.File("staff.fdb")));
}

TEST_F(RunConversionTest, RefusalsBeforeAnyConversion) {
  struct Case {
    std::string path;
    std::string name;
    std::string digits;
    std::string message;
  };
  const std::string list = dir_.File("list.csv");
  WriteBytes(list, "1;a;b;c;d\r\n");
  // Inputs that are another name of the file the conversion would write first or last.
  const std::string linked_db = dir_.File("linked_db.csv");
  const std::string linked_fdb = dir_.File("linked_fdb.csv");
  WriteBytes(linked_db, "1;a;b;c;d\r\n");
  WriteBytes(linked_fdb, "1;a;b;c;d\r\n");
  std::filesystem::create_hard_link(linked_db, dir_.File("linked_db.db"));
  std::filesystem::create_symlink(linked_fdb, dir_.File("linked_fdb.fdb"));
  const Case cases[] = {
      {"", "N", "", "Не указан файл с данными!"},
      {dir_.File("noextension"), "N", "", "Не могу определить расширение файла!"},
      {list, "", "", "Не указано название создаваемого справочника!"},
      {list, "N", "x", "Число цифр должно быть от 0 до 9!"},
      {list, "N", "12", "Число цифр должно быть от 0 до 9!"},
      {dir_.File("list.fdb"), "N", "1",
       "Входной файл совпадает с создаваемым - " + dir_.File("list.fdb")},
      {linked_db, "N", "1", "Входной файл совпадает с создаваемым - " + linked_db},
      {linked_fdb, "N", "1", "Входной файл совпадает с создаваемым - " + linked_fdb},
  };
  for (const Case& c : cases) {
    reporter_ = RecordingReporter();
    EXPECT_EQ(Run(c.path, c.name, c.digits), ConversionOutcome::kRefused) << c.message;
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{c.message});
    EXPECT_TRUE(reporter_.statuses.empty());
  }
  EXPECT_FALSE(Exists(dir_.File("list.db")));
  EXPECT_EQ(ReadBytes(linked_db), "1;a;b;c;d\r\n");
  EXPECT_EQ(ReadBytes(linked_fdb), "1;a;b;c;d\r\n");
}

TEST_F(RunConversionTest, ConverterFailureAddsTheGeneralMessageAndKeepsTheIntermediate) {
  const std::string input = dir_.File("list.csv");
  WriteBytes(input, "1;a;b;c;d\r\n12;a;b;c;d\r\n");
  EXPECT_EQ(Run(input, "N", "1"), ConversionOutcome::kConversionFailed);
  ASSERT_EQ(MessageTexts().size(), 2u);
  EXPECT_EQ(MessageTexts()[1],
            "Ошибка преобразования, проверте\r\nналичие входного файла и его формат!");
  EXPECT_EQ(ReadBytes(dir_.File("list.db")).size(), 29u + 9);
  EXPECT_FALSE(Exists(dir_.File("list.fdb")));

  reporter_ = RecordingReporter();
  EXPECT_EQ(Run(dir_.File("missing.fsr")), ConversionOutcome::kConversionFailed);
  EXPECT_EQ(MessageTexts().size(), 1u);  // the converter says nothing of a missing input
}

TEST_F(RunConversionTest, PackingFailureIsNeverReportedAsDone) {
  EXPECT_EQ(Run(dir_.File("missing.db")), ConversionOutcome::kPackingFailed);
  EXPECT_EQ(reporter_.statuses, (std::vector<std::string>{"Сжатие", "Ошибка упаковки"}));
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(reporter_.standard_error.size(), 1u);
  EXPECT_FALSE(Exists(dir_.File("missing.zdb")));

  // The target's name is taken by a folder: packing fails, the intermediate file stays.
  const std::string input = dir_.File("list.csv");
  WriteBytes(input, "1;a;b;c;d\r\n");
  std::filesystem::create_directory(dir_.File("list.fdb"));
  reporter_ = RecordingReporter();
  EXPECT_EQ(Run(input, "N", "1"), ConversionOutcome::kPackingFailed);
  EXPECT_EQ(reporter_.statuses.back(), "Ошибка упаковки");
  EXPECT_TRUE(Exists(dir_.File("list.db")));
}

TEST_F(RunConversionTest, DatabaseGivenDirectlyIsPackedAndKept) {
  const std::string input = dir_.File("ready.DB");
  WriteBytes(input, "anything");
  EXPECT_EQ(Run(input), ConversionOutcome::kDone);
  EXPECT_EQ(reporter_.statuses, (std::vector<std::string>{"Сжатие", "Упаковка: 8", "Готово"}));
  EXPECT_TRUE(Exists(input));
  EXPECT_TRUE(Exists(dir_.File("ready.zdb")));
}

TEST_F(RunConversionTest, PathIsCutTo259Characters) {
  // 259 characters end in "...x.d"; the cut drops the "b" of ".db" and the file is a phone list.
  std::string path = dir_.File("");
  path += std::string(259 - path.size() - 2, 'x') + ".db";
  EXPECT_EQ(Run(path), ConversionOutcome::kRefused);
  EXPECT_EQ(MessageTexts(),
            std::vector<std::string>{"Не указано название создаваемого справочника!"});
}

TEST(SummarizeSourceHeader, NameAndSplitterOfASourceFile) {
  ScratchDir dir;
  const std::string path = dir.File("book.fsr");
  WriteBytes(path, SourceFile({FieldLines{}}, "", 13, '|', "Справочник"));
  auto summary = SummarizeSourceHeader(path);
  ASSERT_TRUE(summary.has_value());
  EXPECT_TRUE(summary->prefix_ok);
  EXPECT_EQ(summary->database_name, "Справочник");
  EXPECT_EQ(summary->splitter, '|');

  WriteBytes(path, "not a source file\r\n");
  summary = SummarizeSourceHeader(path);
  ASSERT_TRUE(summary.has_value());
  EXPECT_FALSE(summary->prefix_ok);
  EXPECT_EQ(summary->database_name, "");

  EXPECT_FALSE(SummarizeSourceHeader(dir.File("missing.fsr")).has_value());
}

}  // namespace
}  // namespace builder
