#include "cli/export_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "builder/convert/phone_book.h"
#include "builder/convert/table_database.h"
#include "builder/convert/test/test_support.h"
#include "cli/exit_codes.h"
#include "cli/import_command.h"
#include "common/codepage.h"
#include "common/test/cp1251.h"
#include "designer/model/database_source.h"
#include "designer/model/source_file.h"

namespace cli {
namespace {

using builder::testing::Exists;
using builder::testing::FieldLines;
using builder::testing::ReadBytes;
using builder::testing::RecordingReporter;
using builder::testing::ScratchDir;
using builder::testing::SourceFile;
using builder::testing::WriteBytes;

using testing_support::Cp;

class ExportCommandTest : public testing::Test {
 protected:
  // The table database built from a source file of `fields` and `data`.
  std::string Table(const std::vector<FieldLines>& fields, const std::string& data,
                    char splitter = ';') {
    const std::string fsr = dir_.Write("book.fsr", SourceFile(fields, data, 13, splitter));
    RecordingReporter reporter;
    EXPECT_TRUE(builder::ConvertSourceFile(fsr, dir_.File("book.db"), reporter).ok());
    return dir_.File("book.db");
  }

  int Export(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    return RunExportCommand(args, out_, err_);
  }

  ScratchDir dir_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(ExportCommandTest, CsvHoldsNamesThenValuesAtASplitterNoneHolds) {
  const std::string db = Table({{Cp("Фамилия")}, {.name = "Sum", .type = 2, .size = 1}},
                               Cp("Иванов|200\r\nx;y|5\r\n"), '|');
  ASSERT_EQ(Export({db}), kExitOk) << err_.str();
  EXPECT_EQ(ReadBytes(dir_.File("book.csv")), Cp("Фамилия,Sum\r\nИванов,200\r\nx;y,5\r\n"));
  EXPECT_EQ(out_.str(), "записано: " + dir_.File("book.csv") + " (записей: 2, разделитель «,»)\n");

  ASSERT_EQ(Export({db, "-o", dir_.File("utf8.csv"), "--encoding", "utf-8", "--splitter", "\t"}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(ReadBytes(dir_.File("utf8.csv")), "Фамилия\tSum\r\nИванов\t200\r\nx;y\t5\r\n");
}

TEST_F(ExportCommandTest, AnEmptyRecordOfOneFieldComesBackAsARecord) {
  const std::string db = Table({{"Only"}}, "x\r\n\r\ny\r\n");
  ASSERT_EQ(Export({db}), kExitOk) << err_.str();
  EXPECT_EQ(ReadBytes(dir_.File("book.csv")), "Only\r\nx\r\n \r\ny\r\n");
  std::ostringstream out, err;
  ASSERT_EQ(
      RunImportCommand({dir_.File("book.csv"), "--name", "N", "--header", "--force"}, out, err),
      kExitOk)
      << err.str();
  // The import's source file keeps it too: the designer's writer drops empty lines only.
  EXPECT_NE(out.str().find("(строк данных: 3)"), std::string::npos) << out.str();
}

TEST_F(ExportCommandTest, APhoneBookGivesItsTextColumnsAsCsvOnly) {
  const std::string list = dir_.Write("list.txt", "555;a;b;c;d\r\n556;e;f;g;h\r\n");
  RecordingReporter reporter;
  ASSERT_TRUE(builder::ConvertPhoneBook(list, dir_.File("list.db"), "N", ';', 3, reporter).ok());
  ASSERT_EQ(Export({dir_.File("list.db")}), kExitOk) << err_.str();
  EXPECT_EQ(ReadBytes(dir_.File("list.csv")), "A;B;C;D\r\nE;F;G;H\r\n");
  EXPECT_NE(err_.str().find("нет номеров телефонов"), std::string::npos) << err_.str();

  EXPECT_EQ(Export({dir_.File("list.db"), "-o", dir_.File("list.fsr")}), kExitRefused);
  EXPECT_NE(err_.str().find("телефонная книга"), std::string::npos) << err_.str();
  EXPECT_FALSE(Exists(dir_.File("list.fsr")));
}

TEST_F(ExportCommandTest, RefusalsLeaveTheOutputAsItWas) {
  const std::string db = Table({{"A"}, {"B"}}, "a;b\r\nc,d;e\r\n");
  const std::string damaged = dir_.Write("damaged.db", ReadBytes(db).substr(0, 130));
  const std::string kept = dir_.Write("kept.csv", "the user's");
  struct Case {
    const char* what;
    std::vector<std::string> args;
    int status;
    std::string message;
  };
  const Case cases[] = {
      {"a given splitter in a value",
       {db, "-o", kept, "--force", "--splitter", ","},
       kExitRefused,
       "Запись 2, поле 1: значение содержит разделитель «,»"},
      {"an existing output", {db, "-o", kept}, kExitRefused, "--force заменяет его"},
      {"a damaged book",
       {damaged, "-o", kept, "--force"},
       kExitUnreadable,
       "смещение 130: данные обрываются в записи 2"},
      {"another kind of output", {db, "-o", dir_.File("book.txt")}, kExitUsage, ".fsr"},
      {"UTF-8 source file",
       {db, "-o", dir_.File("b.fsr"), "--encoding", "utf-8"},
       kExitUsage,
       "Windows-1251"},
      {"a missing book", {dir_.File("missing.db")}, kExitUnreadable, "missing.db"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Export(c.args), c.status) << c.what << ": " << err_.str();
    EXPECT_NE(err_.str().find(c.message), std::string::npos) << c.what << ": " << err_.str();
    EXPECT_EQ(ReadBytes(kept), "the user's") << c.what;
  }
  EXPECT_FALSE(Exists(dir_.File("book.txt")));
  EXPECT_FALSE(Exists(dir_.File("b.fsr")));
}

TEST_F(ExportCommandTest, EveryBytePastThePrefixEitherComesBackOrIsRefusedByOffset) {
  // A name of four bytes leaves the byte after the prefix line's text visible in the header.
  const std::string built = ReadBytes(Table({{"Only"}}, "x\r\n"));
  constexpr std::size_t kAfterPrefix = 18;
  std::vector<int> refused;
  for (int byte = 0; byte < 256; ++byte) {
    std::string book = built;
    book[kAfterPrefix] = static_cast<char>(byte);
    const std::string db = dir_.Write("patched.db", book);
    if (Export({db, "-o", dir_.File("patched.fsr"), "--force"}) != kExitOk) {
      refused.push_back(byte);
      EXPECT_NE(err_.str().find("patched.db: байт заголовка по смещению 18"), std::string::npos)
          << err_.str();
      continue;
    }
    RecordingReporter reporter;
    ASSERT_TRUE(
        builder::ConvertSourceFile(dir_.File("patched.fsr"), dir_.File("rebuilt.db"), reporter)
            .ok())
        << byte;
    EXPECT_EQ(ReadBytes(dir_.File("rebuilt.db")), book) << byte;
  }
  EXPECT_EQ(refused, std::vector<int>{0});
}

// Windows-1251 text that is also UTF-8 ("п»ї" is the UTF-8 mark, "Р" and a no-break space the
// letter Р): the builder would read such a source file as UTF-8 and change the book.
TEST_F(ExportCommandTest, ASourceFileThatWouldReadAsUtf8IsNotWritten) {
  for (const std::string value : {"\xEF\xBB\xBF", "\xD0\xA0"}) {
    const std::string fsr = dir_.Write("book.fsr", SourceFile({{"Only"}}, value + "\r\n"));
    RecordingReporter reporter;
    ASSERT_TRUE(builder::ConvertSourceFile(fsr, dir_.File("book.db"), reporter,
                                           codepage::TextEncoding::kCp1251)
                    .ok());
    EXPECT_EQ(Export({dir_.File("book.db"), "-o", dir_.File("out.fsr")}), kExitRefused);
    EXPECT_NE(err_.str().find("программа сборки прочитала бы его как UTF-8"), std::string::npos)
        << err_.str();

    designer::Document doc;
    designer::ReadResult opened;
    ASSERT_TRUE(designer::LoadDB(doc, dir_.File("book.db"), {}, opened).ok());
    EXPECT_TRUE(designer::SaveFSR(doc, dir_.File("out.fsr"), {.database_name = "Book"}).refusal());
    EXPECT_FALSE(Exists(dir_.File("out.fsr")));
  }
}

}  // namespace
}  // namespace cli
