// The readers on files made by real producers (testdata/make_fixtures.sh).
#include <gtest/gtest.h>

#include "common/test/scratch_folder.h"
#include "spreadsheet/test/collect_rows.h"
#include "spreadsheet/workbook.h"

namespace spreadsheet {
namespace {

using testing::CollectRows;
using testing::Rows;

std::string Fixture(const std::string& name) {
  return std::string(SPREADSHEET_TESTDATA "/") + name;
}

std::unique_ptr<Workbook> Open(const std::string& name) {
  WorkbookOr book = OpenWorkbook(Fixture(name));
  EXPECT_TRUE(book.ok()) << book.status().message();
  return book.ok() ? std::move(book).value() : nullptr;
}

Rows Read(Workbook& book, std::size_t sheet, SheetWarnings* warnings = nullptr) {
  CollectRows sink;
  SheetWarnings ignored;
  const Status status = book.ReadSheet(sheet, sink, warnings ? *warnings : ignored);
  EXPECT_TRUE(status.ok()) << status.message();
  return sink.rows;
}

// table.csv as every reader should give it.
const Rows kTable = {
    {1, {"TABNUM", "FIO", "SALARY", "HIRED", "RATE"}},
    {2, {"101", "Иванов Иван Иванович", "45000", "15.01.2020", "1"}},
    {3, {"102", "Петрова Анна", "52300,5", "03.11.2019", "0,75"}},
    {4, {}},
    {5, {"205", "Сидоров-Ёлкин Пётр", "38000", "01.02.2021", "0,5"}},
};

TEST(Readers, EveryFormatOfTheSameTableGivesTheSameRows) {
  // The office suite's dBase export writes 0 into empty number fields, and its table carries no
  // language-driver byte (so Windows-1251 is taken, which is what it wrote).
  Rows zeros = kTable;
  zeros[3].second = {"0", "", "0", "", "0"};
  // table866.dbf has a record marked deleted after its second.
  const struct {
    const char* file;
    const Rows& rows;
    std::string sheet;
    std::uint64_t deleted;
  } cases[] = {{"table.xlsx", kTable, "table", 0},
               {"table.ods", kTable, "table", 0},
               {"table.xls", kTable, "table", 0},
               {"table866.dbf", kTable, "table866", 1},
               {"table.dbf", zeros, "table", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const auto book = Open(c.file);
    ASSERT_TRUE(book);
    ASSERT_EQ(book->sheets().size(), 1u);
    EXPECT_EQ(book->sheets()[0].name, c.sheet);
    SheetWarnings all;
    EXPECT_EQ(Read(*book, 0, &all), c.rows);
    EXPECT_EQ(all.deleted_records, c.deleted);
    CollectRows two(2);
    SheetWarnings warnings;
    EXPECT_TRUE(book->ReadSheet(0, two, warnings).ok());
    EXPECT_EQ(two.rows, Rows(c.rows.begin(), c.rows.begin() + 2));
  }
}

TEST(Readers, BytesInMemoryReadAsTheFile) {
  for (const auto& [file, kind] : {std::pair{"table.xlsx", WorkbookKind::kXlsx},
                                   {"table.ods", WorkbookKind::kOds},
                                   {"table866.dbf", WorkbookKind::kDbf}}) {
    WorkbookOr book = OpenWorkbookInMemory(kind, testing_support::ReadBytes(Fixture(file)), file);
    ASSERT_TRUE(book.ok());
    EXPECT_EQ(Read(*book.value(), 0), kTable) << file;
  }
  EXPECT_TRUE(OpenWorkbookInMemory(WorkbookKind::kXls, "", "a.xls").status().refusal());
}

// features.xlsx and the office suite's conversions of it: rich text, a formula, an error, dates
// with and without a time, fractions, booleans, a merged range A5:C5, a hidden sheet.
TEST(Readers, CellsAsTheUserSawThem) {
  const Rows full = {
      {1, {"Текст", "Число", "Дата", "Формула", "Флаг"}},
      {2, {"Жирный и простой", "123", "29.02.2024", "246", "ИСТИНА"}},
      {3, {"Ёлка", "-0,125", "31.12.1999 23:59", "", "ЛОЖЬ"}},  // D3 is #N/A
      {4, {}},
      {5, {"Объединено", "", "", "1234567,89"}},  // B5 holds a value under the merged A5:C5
  };
  // The suite turns the booleans into the formulas =TRUE() and =FALSE(), whose numbers only
  // their result type shows as booleans.
  Rows ods = full;
  ods[1].second[4] = "1";
  ods[2].second[4] = "0";
  // FreeXL 1.0.6 gives neither formula results nor boolean cells, nor which sheet is hidden,
  // nor the merged ranges, so the value hidden under A5:C5 shows.
  Rows xls = full;
  xls[1].second.resize(3);
  xls[2].second.resize(3);
  xls[4].second[1] = "скрыто";
  const struct {
    const char* file;
    const Rows& rows;
    std::uint64_t errors;
    bool hidden;
  } cases[] = {{"features.xlsx", full, 1, true},
               {"features.ods", ods, 1, true},
               {"features.xls", xls, 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const auto book = Open(c.file);
    ASSERT_TRUE(book);
    ASSERT_EQ(book->sheets().size(), 3u);
    EXPECT_EQ(book->sheets()[0].name, "Лист1");
    EXPECT_FALSE(book->sheets()[0].hidden);
    EXPECT_EQ(book->sheets()[1].hidden, c.hidden);
    SheetWarnings warnings;
    EXPECT_EQ(Read(*book, 0, &warnings), c.rows);
    EXPECT_EQ(warnings.error_cells, c.errors);
    EXPECT_EQ(warnings.first_error_cell, c.errors ? "Лист1!D3" : "");
    EXPECT_EQ(Read(*book, 1), (Rows{{1, {"тайна"}}}));
    EXPECT_EQ(Read(*book, 2), Rows{});
  }
}

TEST(Readers, InlineStrings) {
  const auto inline_strings = Open("inline.xlsx");
  ASSERT_TRUE(inline_strings);
  EXPECT_EQ(Read(*inline_strings, 0), (Rows{{1, {"Строка", "Число"}},
                                            {2, {"Привет", "0,1"}},
                                            {3, {}},
                                            {4, {"после пустой", "0,0000001"}}}));
}

TEST(Readers, FilesAreToldByExtension) {
  EXPECT_EQ(KindOfFile("a/B.XLSX"), WorkbookKind::kXlsx);
  EXPECT_EQ(KindOfFile("b.Dbf"), WorkbookKind::kDbf);
  EXPECT_EQ(KindOfFile("c.csv"), std::nullopt);
  EXPECT_TRUE(OpenWorkbook("c.csv").status().refusal());
}

}  // namespace
}  // namespace spreadsheet
