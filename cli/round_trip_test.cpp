// A book goes back to a source file, by `bwick export` or by the designer, and the builder makes
// the very database again.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "builder/convert/packing.h"
#include "builder/convert/table_database.h"
#include "builder/convert/test/test_support.h"
#include "cli/exit_codes.h"
#include "cli/export_command.h"
#include "cli/import_command.h"
#include "common/codepage.h"
#include "common/test/cp1251.h"
#include "designer/model/database_source.h"
#include "designer/model/source_file.h"
#include "designer/model/test/fake_window.h"

namespace cli {
namespace {

using builder::testing::FieldLines;
using builder::testing::ReadBytes;
using builder::testing::RecordingReporter;
using builder::testing::ScratchDir;
using builder::testing::SourceFile;
using builder::testing::WriteBytes;

using testing_support::Cp;

struct Book {
  std::string what;
  std::vector<FieldLines> fields = {};
  std::string data = {};
  std::string name = "Book";
  int version = 13;
  char splitter = ';';
  std::string prefix_end = "\r";  // what follows the prefix on its line, before LF
  int flags = 0;
  std::string designer_refusal = {};  // empty: the designer opens the book
};

// Every numeric size, with numbers that lose bytes, clamp, or read back only in a shorter form.
Book EveryNumericSize() {
  Book book{.what = "every numeric size", .fields = {{"Name"}}};
  for (int size = 1; size <= 4; ++size)
    book.fields.push_back({.name = "N" + std::to_string(size), .type = 2, .size = size, .max = 0});
  book.data =
      "Ivanov;1;300;70000;-5\r\n;;;;\r\n lead;255;65535;16777215;2147483647\r\n"
      "x;256;-1;0300;-2147483648\r\ny;abc;99999999999;+7;  12\r\n";
  return book;
}

std::vector<Book> Books() {
  std::vector<Book> books = {
      EveryNumericSize(),
      {.what = "empty values", .fields = {{"A"}, {"B"}, {"C"}}, .data = "a;;c\r\n;;\r\n;b;\r\n"},
      {.what = "one text field with an empty value",
       .fields = {{"Only"}},
       .data = "x\r\n\r\n  y\r\n"},
      {.what = "one numeric field of zeros",
       .fields = {{.name = "N", .type = 2, .size = 2, .max = 0}},
       .data = "\r\n\r\n"},
      {.what = "names of 16 bytes",
       .fields = {{"ABCDEFGHIJKLMNOP"}, {Cp("Фамилия и отчест")}},
       .data = "a;b\r\n"},
      {.what = "Cyrillic",
       .fields = {{Cp("Фамилия")}},
       .data = Cp("Иванов Пётр\r\n"),
       .name = Cp("Книга")},
      {.what = "values holding ; and ,",
       .fields = {{"A"}, {"B"}},
       .data = "a;b|c,d\r\n",
       .splitter = '|'},
      {.what = "a short name shows the prefix line's CR",
       .fields = {{"A"}},
       .data = "a\r\n",
       .name = "AB"},
      {.what = "a short name shows another byte",
       .fields = {{"A"}},
       .data = "a\r\n",
       .name = "",
       .prefix_end = "!\r",
       .designer_refusal = "хранит в заголовке байт с кодом 33"},
      {.what = "version 12",
       .fields = {{"A"}, {"B"}},
       .data = "a;b\r\n",
       .version = 12,
       .designer_refusal = "версии 12"},
      {.what = "flags",
       .fields = {{"A"}},
       .data = "a\r\n",
       .flags = 5,
       .designer_refusal = "флаги 5"},
      {.what = "a line of 253 characters",
       .fields = {{"T"}},
       .data = std::string(253, 'x') + "\r\ny\r\n"},
      {.what = "the longest lines",
       .fields = {{.name = "T", .max = 0}, {.name = "N", .type = 2, .size = 1, .max = 0}},
       .data = std::string(251, 'a') + ";1\r\n" + std::string(250, 'b') + ";200",
       .designer_refusal = "Запись 2: строка данных заняла бы 254 символов"},
  };
  for (int count = 1; count <= 10; ++count) {
    Book book{.what = std::to_string(count) + " fields"};
    for (int i = 1; i <= count; ++i) {
      book.fields.push_back({"F" + std::to_string(i)});
      book.data += (i > 1 ? ";v" : "v") + std::to_string(i);
    }
    book.data += "\r\n";
    if (count > 5) book.designer_refusal = "содержит полей: " + std::to_string(count);
    books.push_back(book);
  }
  return books;
}

std::string SourceOf(const Book& book) {
  std::string text = SourceFile(book.fields, book.data, book.version, book.splitter, book.name);
  const std::string prefix = "Brindlewick Source\r\n";
  text.replace(text.find(prefix), prefix.size(), "Brindlewick Source" + book.prefix_end + "\n");
  const std::string flags = "; flags\r\n0\r\n";
  text.replace(text.find(flags), flags.size(), "; flags\r\n" + std::to_string(book.flags) + "\r\n");
  return text;
}

class RoundTripTest : public testing::Test {
 protected:
  // The database the builder makes of the source file `fsr`.
  std::string Build(const std::string& fsr) {
    const std::string db = fsr + ".db";
    RecordingReporter reporter;
    const builder::ConversionResult built = builder::ConvertSourceFile(fsr, db, reporter);
    EXPECT_TRUE(built.ok()) << fsr << ": " << built.message();
    return db;
  }

  int Export(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    return RunExportCommand(args, out_, err_);
  }

  // Exports `db` packed to a source file and builds that; the new database must be `db`'s twin.
  void ExpectExportRebuilds(const std::string& db, const std::string& what) {
    const std::string packed = db + ".fdb";
    RecordingReporter reporter;
    ASSERT_TRUE(builder::PackFile(db, packed, "wb", reporter).ok());
    const std::string fsr = dir_.File("exported.fsr");
    ASSERT_EQ(Export({packed, "-o", fsr, "--force"}), kExitOk) << what << ": " << err_.str();
    EXPECT_TRUE(ReadBytes(Build(fsr)) == ReadBytes(db)) << what;
  }

  // Opens `db` in the designer's model, saves it and builds that; the new database must be
  // `db`'s twin, unless the designer refuses the book with `refusal`. The long-line option starts
  // ticked, as in a fresh window: a book with longer lines unticks it.
  void ExpectDesignerRebuilds(const std::string& db, const std::string& refusal,
                              const std::string& what) {
    designer::FakeWindow view;
    designer::Document doc;
    const Status loaded = designer::LoadDB(doc, db, view);
    if (!refusal.empty()) {
      EXPECT_TRUE(loaded.refusal()) << what;
      EXPECT_NE(loaded.message().find(refusal), std::string::npos)
          << what << ": " << loaded.message();
      return;
    }
    ASSERT_TRUE(loaded.ok()) << what << ": " << loaded.message();
    const std::string fsr = dir_.File("saved.fsr");
    ASSERT_TRUE(designer::SaveFSR(doc, fsr, view).ok()) << what;
    EXPECT_TRUE(ReadBytes(Build(fsr)) == ReadBytes(db)) << what;
  }

  ScratchDir dir_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(RoundTripTest, GeneratedBooksComeBackByteForByte) {
  for (const Book& book : Books()) {
    SCOPED_TRACE(book.what);
    const std::string fsr = dir_.File("book.fsr");
    WriteBytes(fsr, SourceOf(book));
    const std::string db = Build(fsr);
    ExpectExportRebuilds(db, book.what);
    ExpectDesignerRebuilds(db, book.designer_refusal, book.what);
  }
}

TEST_F(RoundTripTest, TheBundledSampleComesBackByteForByte) {
  const std::string fsr = dir_.File("staff.fsr");
  std::ostringstream out, err;
  ASSERT_EQ(
      RunImportCommand({std::string(BWICK_SAMPLE), "--name", "Сотрудники", "--header", "-o", fsr},
                       out, err),
      kExitOk)
      << err.str();
  const std::string db = Build(fsr);
  ExpectExportRebuilds(db, "sample");
  ExpectDesignerRebuilds(db, "", "sample");
}

}  // namespace
}  // namespace cli
