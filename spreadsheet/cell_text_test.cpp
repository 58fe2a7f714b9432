#include "spreadsheet/cell_text.h"

#include <gtest/gtest.h>

#include "spreadsheet/cell_address.h"
#include "spreadsheet/number_format.h"
#include "spreadsheet/workbook.h"

namespace spreadsheet {
namespace {

TEST(CellText, NumbersAsTheUserSawThem) {
  const struct {
    const char* written;
    const char* shown;
  } cases[] = {
      {"123", "123"},
      {"123.0", "123"},
      {"-0.125", "-0,125"},
      {"52300.5", "52300,5"},
      {"1E-07", "0,0000001"},
      {"0.30000000000000004", "0,3"},  // 15 significant digits, as spreadsheets keep
      {"1e20", "100000000000000000000"},
      {" 12.50 ", "12,5"},
      {"-0", "0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NumberText(std::string_view(c.written)), c.shown) << c.written;
  for (const char* bad : {"", "12a", "1,5", "--1"})
    EXPECT_FALSE(NumberText(std::string_view(bad))) << bad;
}

TEST(CellText, DayNumbersAsDatesAndTimes) {
  EXPECT_EQ(SerialDateText(45351, DateStyle::kDate), "29.02.2024");
  EXPECT_EQ(SerialDateText(36525.99930555555, DateStyle::kDate), "31.12.1999 23:59");
  EXPECT_EQ(SerialDateText(1, DateStyle::kDate), "01.01.1900");
  EXPECT_EQ(SerialDateText(61, DateStyle::kDate), "01.03.1900");
  EXPECT_EQ(SerialDateText(0, DateStyle::kDate, true), "01.01.1904");
  EXPECT_EQ(SerialDateText(0.75, DateStyle::kTime), "18:00");
  EXPECT_FALSE(SerialDateText(-1, DateStyle::kDate));
  EXPECT_FALSE(SerialDateText(3e6, DateStyle::kDate));
}

TEST(CellText, WrittenDatesAndTimes) {
  const struct {
    const char* written;
    std::optional<std::string> shown;
  } dates[] = {
      {"2020-01-15", "15.01.2020"},
      {"20200115", "15.01.2020"},
      {"2020-01-15T10:30:00", "15.01.2020 10:30"},
      {"2020-01-15 00:00:00", "15.01.2020"},
      {"2020-01-15T10:30:00.5", "15.01.2020 10:30"},
      {"2020-13-01", std::nullopt},
      {"2020-0115", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : dates) EXPECT_EQ(WrittenDateText(c.written), c.shown) << c.written;
  EXPECT_EQ(WrittenTimeText("10:30:00"), "10:30");
  EXPECT_EQ(WrittenTimeText("PT10H05M00S"), "10:05");
  EXPECT_EQ(WrittenTimeText("PT36H00M00.25S"), "36:00");
  EXPECT_FALSE(WrittenTimeText("PT10X"));
}

TEST(CellText, FormatsThatShowDates) {
  EXPECT_EQ(DateStyleOfFormat(14, ""), DateStyle::kDate);
  EXPECT_EQ(DateStyleOfFormat(20, ""), DateStyle::kTime);
  EXPECT_EQ(DateStyleOfFormat(2, ""), std::nullopt);
  EXPECT_EQ(DateStyleOfFormat(164, "dd.mm.yyyy hh:mm"), DateStyle::kDate);
  EXPECT_EQ(DateStyleOfFormat(164, "[$-419]DD MMMM YYYY"), DateStyle::kDate);
  EXPECT_EQ(DateStyleOfFormat(164, "[h]:mm"), DateStyle::kTime);
  EXPECT_EQ(DateStyleOfFormat(164, "General"), std::nullopt);
  EXPECT_EQ(DateStyleOfFormat(164, "0.00\" dy\";[Red]-0.00"), std::nullopt);
  EXPECT_EQ(DateStyleOfFormat(164, "#,##0\\d"), std::nullopt);
}

TEST(CellAddressing, NamesAndReferences) {
  EXPECT_EQ(CellAddress("Лист1", 17, 3), "Лист1!C17");
  EXPECT_EQ(CellAddress("S", 1, 16384), "S!XFD1");
  EXPECT_EQ(CellAddress("S", 2, 27), "S!AA2");
  const auto position = ParseCellReference("xfd1048576");
  ASSERT_TRUE(position);
  EXPECT_EQ(position->column, 16384u);
  EXPECT_EQ(position->row, 1048576u);
  for (const char* bad : {"", "A", "17", "A0", "A1B"}) EXPECT_FALSE(ParseCellReference(bad)) << bad;
}

}  // namespace
}  // namespace spreadsheet
