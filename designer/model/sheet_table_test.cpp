// Workbooks made by real producers (spreadsheet/testdata, made by make_fixtures.sh) read by the
// import and written by the save.
#include "designer/model/sheet_table.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/test/cp1251.h"
#include "common/test/scratch_folder.h"
#include "designer/model/csv_import.h"
#include "designer/model/numeric_check.h"
#include "designer/model/source_file.h"

namespace designer {
namespace {

using testing_support::Cp;
using testing_support::ReadBytes;

std::string Sheet(const std::string& name) { return std::string(BWICK_SHEET_FIXTURES "/") + name; }

ReadOptions WithNames(const std::string& sheet = "") {
  ReadOptions options;
  options.ask = [](const std::string&) { return true; };
  options.sheet = sheet;
  return options;
}

// The source file without its header's time of day, which says when it was written.
std::string Timeless(const std::string& bytes) {
  std::istringstream lines(bytes);
  std::string kept, line;
  while (std::getline(lines, line)) {
    if (!line.starts_with("; Date:")) kept += line + "\n";
  }
  return kept;
}

// table.dbf is left out: the office suite's dBase export writes 0 for an empty number, so its
// empty row is a row of zeros.
TEST(SheetTable, EveryFormatOfTheSameTableGivesTheSameSourceFile) {
  testing_support::ScratchFolder folder;
  std::string first;
  for (const char* file : {"table.xlsx", "table.ods", "table.xls", "table866.dbf"}) {
    Document doc;
    ReadResult result;
    ASSERT_TRUE(LoadCSV(doc, Sheet(file), WithNames(), result).ok()) << file;
    ASSERT_TRUE(SaveFSR(doc, folder.File("book.fsr"), {.database_name = "Staff"}).ok());
    const std::string written = Timeless(ReadBytes(folder.File("book.fsr")));
    EXPECT_NE(written.find(Cp("102;Петрова Анна;52300,5;03.11.2019;0,75\r")), std::string::npos)
        << file;
    if (first.empty()) first = written;
    EXPECT_EQ(written, first) << file;
  }
}

TEST(SheetTable, SheetsAreChosenByNameOrNumberTheFirstVisibleByDefault) {
  const std::vector<spreadsheet::SheetInfo> sheets = {
      {"Скрытый", true}, {"Лист1", false}, {"2", false}};
  const struct {
    const char* wanted;
    std::size_t index;
  } cases[] = {{"", 1}, {"Лист1", 1}, {"1", 0}, {"2", 2}, {"4", 0}};
  for (const auto& c : cases) {
    const StatusOr<std::size_t> index = ChooseSheet(sheets, "book.xlsx", c.wanted);
    if (std::string(c.wanted) == "4") {
      EXPECT_TRUE(index.status().refusal());
      EXPECT_NE(index.status().message().find("«Скрытый» (скрытый), «Лист1», «2»"),
                std::string::npos)
          << index.status().message();
    } else {
      ASSERT_TRUE(index.ok()) << c.wanted;
      EXPECT_EQ(index.value(), c.index) << c.wanted;
    }
  }
}

TEST(SheetTable, WarningsNameTheCell) {
  Document doc;
  ReadResult result;
  ASSERT_TRUE(LoadCSV(doc, Sheet("features.xlsx"), WithNames(), result).ok());
  EXPECT_EQ(doc.SourceSheet, "Лист1");
  EXPECT_EQ(result.warnings->error_cells, (TableFinding{1, 3}));
  EXPECT_EQ(result.warnings->first_error_cell, "Лист1!D3");

  ASSERT_TRUE(LoadCSV(doc, Sheet("sheets.xlsx"), WithNames("Сотрудники"), result).ok());
  EXPECT_EQ(result.warnings->unmappable, (TableFinding{1, 3}));
  EXPECT_EQ(result.warnings->first_unmappable_cell, "Сотрудники!A3");
}

TEST(SheetTable, EachSheetGivesItsOwnFieldsAndTheCheckOfNumbersReadsIt) {
  Document doc;
  ReadResult result;
  ASSERT_TRUE(LoadCSV(doc, Sheet("sheets.xlsx"), WithNames("2"), result).ok());
  EXPECT_EQ(doc.SourceSheet, "Цены");
  EXPECT_EQ(doc.FieldCount, 3);
  ASSERT_TRUE(LoadCSV(doc, Sheet("sheets.xlsx"), WithNames("Сотрудники"), result).ok());
  ASSERT_EQ(doc.FieldCount, 2);
  EXPECT_EQ(doc.Fields[1].Name, Cp("Имя"));
  EXPECT_EQ(doc.Fields[2].DataType, kTypeNumeric);
  EXPECT_TRUE(CheckNumericField(doc, 2, ";", nullptr).ok());
  EXPECT_TRUE(CheckNumericField(doc, 1, ";", nullptr).refusal());
}

TEST(SheetTable, AnEmptySheetAndAMissingOneAreRefused) {
  Document doc;
  ReadResult result;
  for (const char* sheet : {"Пустой", "Нет такого"}) {
    const Status status = LoadCSV(doc, Sheet("features.xlsx"), WithNames(sheet), result);
    EXPECT_TRUE(status.refusal()) << sheet;
    EXPECT_NE(status.message().find(sheet), std::string::npos) << status.message();
  }
  EXPECT_EQ(doc.FieldCount, 0);
}

}  // namespace
}  // namespace designer
