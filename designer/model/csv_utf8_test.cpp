// UTF-8 CSV files from import to source file: the handheld gets the same Windows-1251 bytes as
// from the file's Windows-1251 twin, or the save is refused before anything is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/test/cp1251.h"
#include "common/test/scratch_folder.h"
#include "designer/model/csv_import.h"
#include "designer/model/source_file.h"
#include "designer/model/test/fake_window.h"

namespace designer {
namespace {

using testing_support::Cp;

namespace fs = std::filesystem;

constexpr char kMark[] = "\xEF\xBB\xBF";

// A staff list: names longer than a field name may be, Cyrillic values, a number field, an empty
// line, and lines just at and just over the length the writer cuts.
std::string StaffText(const std::string& splitter) {
  std::string s = splitter;
  std::string text = "Фамилия сотрудника" + s + "Тел" + s + "Отдел продаж и маркетинга\r\n";
  text += "Пётр Иванов" + s + "123" + s + "Ёлки «Север» № 5\r\n";
  text += "\r\n";
  text += "Анна" + s + "4567" + s + "  Склад  \r\n";
  std::string long_value;
  while (long_value.size() < 2 * 240) long_value += "ж";  // 240 characters, 480 bytes
  text += long_value + s + "12" + s + "Ю\r\n";            // 245 characters
  text += long_value + s + "12" + s + "ЮЮЮЮЮЮ\r\n";       // 250: copied whole
  text += long_value + s + "12" + s + "ЮЮЮЮЮЮЮ\r\n";      // 251: cut to 248 and ".."
  return text;
}

// A saved source file without its line "; Date: ...", the one line that depends on the clock.
std::string WithoutDate(const std::string& text) {
  const std::size_t date = text.find("; Date:");
  if (date == std::string::npos) return text;
  return text.substr(0, date) + text.substr(text.find("\r\n", date) + 2);
}

class CsvUtf8Test : public testing::Test {
 protected:
  void SetUp() override { view_.database_name = Cp("Сотрудники"); }

  std::string Write(const std::string& name, const std::string& bytes) {
    return scratch_.Write(name, bytes);
  }
  std::string PathOf(const std::string& name) const { return scratch_.File(name); }

  testing_support::ScratchFolder scratch_;
  FakeWindow view_;
};

TEST_F(CsvUtf8Test, Utf8FilesGiveWhatTheirWindows1251TwinGives) {
  for (const std::string splitter : {";", "§"}) {
    view_.splitter = Cp(splitter);
    const std::string utf8 = StaffText(splitter);
    Document twin;
    ASSERT_TRUE(LoadCSV(twin, Write("twin.csv", Cp(utf8)), view_).ok());
    EXPECT_EQ(view_.status[3], "1251");
    EXPECT_EQ(twin.SourceEncoding, TextEncoding::kCp1251);
    ASSERT_EQ(twin.FieldCount, 3) << splitter;
    ASSERT_EQ(twin.RecordCount, 6);  // the empty line counts
    ASSERT_TRUE(SaveFSR(twin, PathOf("twin.fsr"), view_).ok());
    const std::string expected = WithoutDate(testing_support::ReadBytes(PathOf("twin.fsr")));

    for (const bool with_mark : {false, true}) {
      SCOPED_TRACE(splitter + (with_mark ? " with the mark" : " without the mark"));
      Document doc;
      view_.questions.clear();
      ASSERT_TRUE(LoadCSV(doc, Write("u.csv", (with_mark ? kMark : "") + utf8), view_).ok());
      EXPECT_EQ(view_.status[3], "UTF-8");
      EXPECT_EQ(doc.SourceEncoding, TextEncoding::kUtf8);
      EXPECT_EQ(view_.questions.at(0),
                "Первая строка содержит названия полей?\nФамилия сотрудни\nТел\nОтдел продаж и м");
      EXPECT_EQ(doc.Fields, twin.Fields);
      EXPECT_EQ(doc.SampleValues, twin.SampleValues);
      EXPECT_EQ(doc.RecordCount, 6);
      EXPECT_EQ(doc.Fields[3].MaxLen, 16);  // "Ёлки «Север» № 5" in characters
      EXPECT_EQ(doc.Fields[1].MaxLen, 240);

      ASSERT_TRUE(SaveFSR(doc, PathOf("u.fsr"), view_).ok());
      EXPECT_EQ(WithoutDate(testing_support::ReadBytes(PathOf("u.fsr"))), expected);
      EXPECT_EQ(doc.RecordCount, 5);  // the empty line is not copied
    }
  }
}

TEST_F(CsvUtf8Test, ACharacterOutsideWindows1251IsRefusedAndNothingIsWritten) {
  const std::string text = "Имя;Город\nПётр;Москва\nЛи;北京\nАнна;Омск\n";
  const std::string csv = Write("staff.csv", text);
  Document doc;
  ASSERT_TRUE(LoadCSV(doc, csv, view_).ok());
  EXPECT_EQ(doc.SampleValues[2][2], "??");  // one place for each character
  EXPECT_EQ(doc.Fields[2].MaxLen, 6);

  const Status elsewhere = SaveFSR(doc, PathOf("staff.fsr"), view_);
  EXPECT_TRUE(elsewhere.refusal());
  EXPECT_EQ(elsewhere.message(),
            "Строка 3 файла «staff.csv» содержит символ U+5317 «北», которого нет в кодировке "
            "Windows-1251. Замените его в файле и повторите сохранение.");
  EXPECT_FALSE(fs::exists(PathOf("staff.fsr")));

  // Over the opened file itself: not even the backup is made.
  const Status over = SaveFSR(doc, csv, view_);
  EXPECT_TRUE(over.refusal());
  EXPECT_EQ(testing_support::ReadBytes(csv), text);
  EXPECT_FALSE(fs::exists(csv + ".BAK"));
  EXPECT_EQ(doc.RecordCount, 3);
  EXPECT_EQ(doc.SourceFileName, csv);
  EXPECT_EQ(doc.SourceEncoding, TextEncoding::kUtf8);

  // A field name that took the character shows "?" in the document and stops the save until the
  // field is renamed; beyond the 16 characters a name keeps, a character does not matter.
  Document named;
  const std::string names = "Имя;中;" + std::string(16, 'n') + "中\nПётр;1;2\n";
  ASSERT_TRUE(LoadCSV(named, Write("names.csv", names), view_).ok());
  EXPECT_EQ(named.Fields[2].Name, "?");
  const Status name = SaveFSR(named, PathOf("names.fsr"), view_);
  EXPECT_TRUE(name.refusal());
  EXPECT_EQ(name.message(),
            "Название поля 2 в первой строке файла «names.csv» содержит символ U+4E2D «中», "
            "которого нет в кодировке Windows-1251. Измените название поля и повторите "
            "сохранение.");
  EXPECT_FALSE(fs::exists(PathOf("names.fsr")));
  named.Fields[2].Name = "City";
  EXPECT_TRUE(SaveFSR(named, PathOf("names.fsr"), view_).ok());
}

TEST_F(CsvUtf8Test, OnlyTheTextThatIsWrittenMustFit) {
  // A line of `length` characters whose character at `position` (from 1) has no Windows-1251
  // code. Cut, a line longer than 250 characters keeps its first 248.
  struct Case {
    std::size_t length;
    std::size_t position;
    bool cut;
    bool refused;
  };
  const Case cases[] = {
      {251, 249, true, false}, {251, 251, true, false}, {254, 254, true, false},
      {251, 248, true, true},  {250, 250, true, true},  {254, 254, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.length) + " " + std::to_string(c.position) + " " +
                 std::to_string(c.cut));
    const std::string line =
        std::string(c.position - 1, 'x') + "中" + std::string(c.length - c.position, 'y');
    Document doc;
    view_.answer_yes = false;
    ASSERT_TRUE(LoadCSV(doc, Write("long.csv", kMark + ("Ж\n" + line + "\n")), view_).ok());
    view_.cut_long_lines = c.cut;
    const Status status = SaveFSR(doc, PathOf("long.fsr"), view_);
    EXPECT_EQ(status.refusal(), c.refused) << status.message();
    if (c.refused) {
      EXPECT_NE(status.message().find("Строка 2 "), std::string::npos) << status.message();
    } else {
      EXPECT_NE(testing_support::ReadBytes(PathOf("long.fsr"))
                    .find("\r\n" + Cp("Ж") + "\r\n" + std::string(248, 'x') + "..\r\n"),
                std::string::npos)
          << "the mark is no part of the first data line";
    }
    fs::remove(PathOf("long.fsr"));
  }
}

TEST_F(CsvUtf8Test, SavingOverTheOpenedFileLeavesAWindows1251SourceBehind) {
  const std::string text = std::string(kMark) + "Имя;Тел\r\nПётр;12\r\nАнна;34\r\n";
  const std::string path = Write("book.fsr", text);  // a CSV file that has the source's name
  Document doc;
  ASSERT_TRUE(LoadCSV(doc, path, view_).ok());
  ASSERT_TRUE(SaveFSR(doc, path, view_).ok());
  EXPECT_EQ(testing_support::ReadBytes(path + ".BAK"), text);
  EXPECT_TRUE(doc.SourceIsFsr);
  EXPECT_EQ(doc.SourceEncoding, TextEncoding::kCp1251);
  const std::string first = testing_support::ReadBytes(path);
  EXPECT_NE(first.find("\r\n" + Cp("Пётр;12\r\nАнна;34\r\n")), std::string::npos);

  // The next save copies from the file just written, which is Windows-1251 already.
  ASSERT_TRUE(SaveFSR(doc, path, view_).ok());
  EXPECT_EQ(WithoutDate(testing_support::ReadBytes(path)), WithoutDate(first));

  // Reading it back forgets the encoding of the CSV file and clears its panel.
  view_.status[3] = "UTF-8";
  Document read;
  read.SourceEncoding = TextEncoding::kUtf8;
  ASSERT_TRUE(LoadFSR(read, path, view_).ok());
  EXPECT_EQ(read.SourceEncoding, TextEncoding::kCp1251);
  EXPECT_EQ(view_.status[3], "");
  EXPECT_EQ(read.SampleValues[1][1], Cp("Пётр"));
}

TEST_F(CsvUtf8Test, AsciiFilesStayWindows1251) {
  const std::string text = "id;name\r\n1;Smith\r\n";
  Document doc;
  ASSERT_TRUE(LoadCSV(doc, Write("ascii.csv", text), view_).ok());
  EXPECT_EQ(doc.SourceEncoding, TextEncoding::kCp1251);
  EXPECT_EQ(view_.status[3], "1251");
}

TEST_F(CsvUtf8Test, AGivenEncodingOverridesTheDetection) {
  // A UTF-8 file taken as Windows-1251 keeps its bytes, the mark included, as before.
  const std::string utf8 = std::string(kMark) + "Имя\nПётр\n";
  Document doc;
  ASSERT_TRUE(LoadCSV(doc, Write("u.csv", utf8), view_, TextEncoding::kCp1251).ok());
  EXPECT_EQ(view_.status[3], "1251");
  EXPECT_EQ(doc.Fields[1].Name, std::string(kMark) + "Имя");
  EXPECT_EQ(doc.Fields[1].MaxLen, 8);  // bytes are characters in Windows-1251
  ASSERT_TRUE(SaveFSR(doc, PathOf("u.fsr"), view_).ok());
  EXPECT_NE(testing_support::ReadBytes(PathOf("u.fsr")).find("\r\nПётр\r\n"), std::string::npos);

  // A Windows-1251 file taken as UTF-8 cannot be saved: its letters are no UTF-8.
  Document forced;
  ASSERT_TRUE(LoadCSV(forced, Write("w.csv", Cp("Имя\nИван\n")), view_, TextEncoding::kUtf8).ok());
  EXPECT_EQ(view_.status[3], "UTF-8");
  EXPECT_EQ(forced.SampleValues[1][1], "????");
  const Status status = SaveFSR(forced, PathOf("w.fsr"), view_);
  EXPECT_TRUE(status.refusal());
  EXPECT_NE(
      status.message().find("Название поля 1 в первой строке файла «w.csv» содержит байт 0xC8"),
      std::string::npos)
      << status.message();
}

TEST_F(CsvUtf8Test, ARefusedImportKeepsTheEncodingPanelAndDocument) {
  Document doc;
  ASSERT_TRUE(LoadCSV(doc, Write("u.csv", "Имя\nПётр\n"), view_).ok());
  const Status wide = LoadCSV(doc, Write("wide.csv", Cp("а;б;в;г;д;е\n")), view_);
  EXPECT_TRUE(wide.refusal());
  EXPECT_EQ(view_.status[3], "UTF-8");
  EXPECT_EQ(doc.SourceEncoding, TextEncoding::kUtf8);
}

}  // namespace
}  // namespace designer
