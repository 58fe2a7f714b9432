#include "builder/convert/run_conversion.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "builder/convert/messages.h"
#include "builder/convert/test/test_support.h"

namespace builder {
namespace {

using testing::Exists;
using testing::FieldLines;
using testing::ReadBytes;
using testing::RecordingReporter;
using testing::ScratchDir;
using testing::SourceFile;
using testing::WriteBytes;

TEST(NameConversion, KindFromTheLastDotOfThePathNamesFromTheFileName) {
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
      {"/a.b/list", ConversionKind::kPhoneBook, "/a.b/list.db", "/a.b/list.fdb"},
      {"d/rel.v1/phones", ConversionKind::kPhoneBook, "d/rel.v1/phones.db", "d/rel.v1/phones.fdb"},
      {"./list", ConversionKind::kPhoneBook, "./list.db", "./list.fdb"},
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
  StatusKind Run(const std::string& path, const std::string& name = "",
                 const std::string& digits = "", bool keep = false, bool replace = false) {
    ConversionRequest request;
    request.path = path;
    request.name = name;
    request.digits = digits;
    request.keep_intermediate = keep;
    request.replace_kept = replace;
    result_ = RunConversion(request, reporter_);
    return result_.kind();
  }
  // The names of the files in the folder, sorted.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // The failure's own message in an error box, with no general message after it.
  void ExpectOnlyOwnMessage(const std::string& text) const {
    EXPECT_EQ(result_.message(), text);
    EXPECT_STREQ(result_.caption, kCaptionError);
    EXPECT_FALSE(result_.general_follows);
  }

  ScratchDir dir_;
  RecordingReporter reporter_;
  ConversionResult result_;
};

TEST_F(RunConversionTest, SourceFileIsConvertedPackedAndTheIntermediateDeleted) {
  const std::string input = dir_.File("book.FSR");
  WriteBytes(input, SourceFile({{"A"}, {"B"}}, "x;y\r\n"));
  EXPECT_EQ(Run(input), StatusKind::kOk);
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
  EXPECT_TRUE(RunConversion(request, reporter_).ok());
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
    bool keep = false;
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
      {linked_db, "N", "1", "Входной файл совпадает с создаваемым - " + linked_db, true},
      {linked_fdb, "N", "1", "Входной файл совпадает с создаваемым - " + linked_fdb},
  };
  for (const Case& c : cases) {
    reporter_ = RecordingReporter();
    EXPECT_EQ(Run(c.path, c.name, c.digits, c.keep), StatusKind::kRefusal) << c.message;
    ExpectOnlyOwnMessage(c.message);
    EXPECT_TRUE(reporter_.statuses.empty());
  }
  EXPECT_FALSE(Exists(dir_.File("list.db")));
  EXPECT_EQ(ReadBytes(linked_db), "1;a;b;c;d\r\n");
  EXPECT_EQ(ReadBytes(linked_fdb), "1;a;b;c;d\r\n");
}

TEST_F(RunConversionTest, AFileOfTheUsersNamedLikeTheDatabaseIsNeverTaken) {
  const std::string input = dir_.File("list.csv");
  WriteBytes(input, "1;a;b;c;d\r\n");
  WriteBytes(dir_.File("list.db"), "the user's own file");
  EXPECT_EQ(Run(input, "N", "1"), StatusKind::kOk);
  const std::string packed = ReadBytes(dir_.File("list.fdb"));
  EXPECT_EQ(ReadBytes(dir_.File("list.db")), "the user's own file");
  EXPECT_EQ(Files(), (std::vector<std::string>{"list.csv", "list.db", "list.fdb"}));

  // A failed conversion leaves both as they were, and nothing of its own.
  WriteBytes(input, "1;a;b;c;d\r\n12;a;b;c;d\r\n");
  EXPECT_EQ(Run(input, "N", "1"), StatusKind::kError);
  EXPECT_TRUE(result_.general_follows);
  EXPECT_EQ(result_.fault_line, 2);
  EXPECT_EQ(ReadBytes(dir_.File("list.db")), "the user's own file");
  EXPECT_EQ(ReadBytes(dir_.File("list.fdb")), packed);
  EXPECT_EQ(Files(), (std::vector<std::string>{"list.csv", "list.db", "list.fdb"}));

  // Kept, the database takes the file's name only when asked to replace it.
  WriteBytes(input, "1;a;b;c;d\r\n");
  reporter_ = RecordingReporter();
  EXPECT_EQ(Run(input, "N", "1", true), StatusKind::kRefusal);
  ExpectOnlyOwnMessage("Файл базы данных уже существует - " + dir_.File("list.db"));
  EXPECT_EQ(ReadBytes(dir_.File("list.db")), "the user's own file");
  EXPECT_EQ(Run(input, "N", "1", true, true), StatusKind::kOk);
  EXPECT_EQ(ReadBytes(dir_.File("list.db")).substr(4, 3), std::string("\x0B\x01N", 3));
  EXPECT_EQ(Files(), (std::vector<std::string>{"list.csv", "list.db", "list.fdb"}));

  // A folder with a "." in its name: the names stay beside the input.
  std::filesystem::create_directories(dir_.File("rel.v1"));
  WriteBytes(dir_.File("rel.db"), "another file of the user's");
  WriteBytes(dir_.File("rel.v1/phones"), "1;a;b;c;d\r\n");
  EXPECT_EQ(Run(dir_.File("rel.v1/phones"), "N", "1"), StatusKind::kOk);
  EXPECT_TRUE(Exists(dir_.File("rel.v1/phones.fdb")));
  EXPECT_EQ(ReadBytes(dir_.File("rel.db")), "another file of the user's");
  EXPECT_FALSE(Exists(dir_.File("rel.fdb")));

  reporter_ = RecordingReporter();
  EXPECT_EQ(Run(dir_.File("missing.fsr")), StatusKind::kError);
  // The converter says nothing of a missing input: the general message says it.
  EXPECT_EQ(result_.message(), "");
  EXPECT_TRUE(result_.general_follows);

  reporter_ = RecordingReporter();
  WriteBytes(dir_.File("notes.fsr"), "notes\r\n");
  EXPECT_EQ(Run(dir_.File("notes.fsr")), StatusKind::kError);
  EXPECT_EQ(result_.message(), messages::NotASourceFile(dir_.File("notes.fsr")));
  EXPECT_TRUE(result_.general_follows);
}

TEST_F(RunConversionTest, PackingFailureIsNeverReportedAsDone) {
  EXPECT_EQ(Run(dir_.File("missing.db")), StatusKind::kNoInput);
  EXPECT_EQ(reporter_.statuses, (std::vector<std::string>{"Сжатие", "Ошибка упаковки"}));
  EXPECT_NE(result_.message(), "") << "the reason reaches a message box";
  EXPECT_STREQ(result_.caption, kCaptionPackError);
  EXPECT_FALSE(result_.general_follows);
  EXPECT_FALSE(Exists(dir_.File("missing.zdb")));

  // The target's name is taken by a folder: packing fails, and only a kept database stays.
  const std::string input = dir_.File("list.csv");
  WriteBytes(input, "1;a;b;c;d\r\n");
  std::filesystem::create_directory(dir_.File("list.fdb"));
  for (const bool keep : {false, true}) {
    reporter_ = RecordingReporter();
    EXPECT_EQ(Run(input, "N", "1", keep), StatusKind::kNoOutput);
    EXPECT_EQ(reporter_.statuses.back(), "Ошибка упаковки");
    EXPECT_EQ(Files().size(), keep ? 3u : 2u) << "the list, the folder and a kept database";
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir_.File("list.fdb")));
}

TEST_F(RunConversionTest, ADatabaseGivenDirectlyIsPackedOnlyWhenComplete) {
  WriteBytes(dir_.File("list.csv"), "1;a;b;c;d\r\n");
  ASSERT_EQ(Run(dir_.File("list.csv"), "N", "1", true), StatusKind::kOk);
  const std::string database = ReadBytes(dir_.File("list.db"));
  const std::string input = dir_.File("ready.DB");
  WriteBytes(input, database);
  reporter_ = RecordingReporter();
  EXPECT_EQ(Run(input), StatusKind::kOk);
  EXPECT_EQ(reporter_.statuses, (std::vector<std::string>{"Сжатие", "Упаковка: 40", "Готово"}));
  EXPECT_EQ(ReadBytes(input), database);
  EXPECT_TRUE(Exists(dir_.File("ready.zdb")));

  struct Case {
    std::string bytes;
    std::string reason;
  };
  const Case cases[] = {
      {database.substr(0, 33), "смещение 33: данные обрываются в записи 1"},
      {database.substr(0, 39), "смещение 39: данные кончаются без конечной метки FF FF"},
      {database + "x", "смещение 40: после конечной метки есть ещё байты"},
      {ReadBytes(dir_.File("list.fdb")), "файл уже сжат"},
  };
  for (const Case& c : cases) {
    const std::string partial = dir_.File("part.db");
    WriteBytes(partial, c.bytes);
    reporter_ = RecordingReporter();
    EXPECT_EQ(Run(partial), StatusKind::kError) << c.reason;
    ExpectOnlyOwnMessage("База данных неполная или повреждена, упаковка отменена - " + partial +
                         "\r\n" + c.reason);
    EXPECT_TRUE(reporter_.statuses.empty());
    EXPECT_FALSE(Exists(dir_.File("part.zdb")));
  }
}

TEST_F(RunConversionTest, APathOfAnyLengthIsTakenWhole) {
  std::string folder = dir_.File("");
  for (int depth = 0; depth < 3; ++depth) folder += std::string(100, 'd') + "/";
  std::filesystem::create_directories(folder);
  WriteBytes(folder + "list.csv", "1;a;b;c;d\r\n");
  EXPECT_EQ(Run(folder + "list.csv", "N", "1"), StatusKind::kOk);
  EXPECT_TRUE(Exists(folder + "list.fdb"));
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
