#include "designer/model/design_reuse.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/test/cp1251.h"
#include "common/test/scratch_folder.h"
#include "designer/model/test/fake_window.h"

namespace designer {
namespace {

using testing_support::Cp;

// The lines of `text` (CR LF ends) from line `first` on, 1-based.
std::vector<std::string> LinesFrom(const std::string& text, int first) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (--first <= 0) lines.push_back(line);
  }
  return lines;
}

// A design of three fields (a surname, a department, a numeric personnel number) with its own
// names, flags and widths, saved as a source file and opened again, as a refresh finds it.
Document SavedDesign(testing_support::ScratchFolder& scratch, FakeWindow& view) {
  Document doc;
  view.answer_yes = false;  // no names in the first line
  EXPECT_TRUE(
      LoadCSV(doc, scratch.Write("old.csv", Cp("Иванов;Склад;12\nПетров;Цех;9\n")), view).ok());
  const char* names[] = {"", "Фамилия", "Отдел", "Табель"};
  for (int field = 1; field <= 3; ++field) doc.Fields[field].Name = Cp(names[field]);
  doc.Fields[1].Flags = kFlagIgnoreCase | kFlagSearchWithin;
  doc.Fields[2].ResultWidth = 77;
  doc.ExchangeQueryPositions(1, 3);
  doc.SetQueryBox(2, false);   // no input box
  doc.SetResultBox(3, false);  // no result column
  view.database_name = Cp("Сотрудники");
  EXPECT_TRUE(SaveFSR(doc, scratch.File("old.fsr"), view).ok());
  Document design;
  ReadResult read;
  EXPECT_TRUE(view.Show(LoadFSRDesign(design, scratch.File("old.fsr"), read), read).ok());
  return design;
}

// Reads `path` with `header` and applies `design` (named `name`), saving the result to `target`.
Status Refresh(const Document& design, const std::string& name, const std::string& path,
               bool header, bool as_text, const std::string& target,
               std::vector<std::string>& warnings) {
  ReadOptions reading;
  reading.ask = [header](const std::string&) { return header; };
  Document table;
  ReadResult read;
  if (Status status = ReadTableDocument(path, reading, table, read); !status.ok()) return status;
  StatusOr<RefreshedDesign> refreshed = RefreshDesign(design, table, {.as_text = as_text});
  if (!refreshed.ok()) return refreshed.status();
  warnings.insert(warnings.end(), refreshed->warnings.begin(), refreshed->warnings.end());
  return SaveFSR(refreshed->document, target, {name, *read.splitter});
}

// The matching rules, each on a new table for the design of SavedDesign; the texts of the
// refusals and warnings are pinned here.
struct MatchCase {
  const char* name;
  const char* csv;
  bool header;
  bool as_text;
  const char* refusal;             // the refusal's text; none: success
  const char* warning;             // the warning's text, if any
  std::vector<std::string> lines;  // data lines written
  int number_size;                 // the numeric field's, from the new data
};
const MatchCase kMatchCases[] = {
    {"same order",
     "Петров;Цех;9\nСидоров;Склад;1234\n",
     false,
     false,
     nullptr,
     nullptr,
     {"Петров;Цех;9", "Сидоров;Склад;1234"},
     2},
    {"reordered, by names",
     "Табель;Фамилия;Отдел\n9;Петров;Цех\n",
     true,
     false,
     nullptr,
     nullptr,
     {"Петров;Цех;9"},
     1},
    {"missing field",
     "Фамилия;Табель\nПетров;9\n",
     true,
     false,
     "Поля «Отдел» нет среди столбцов файла «new.csv»: в его первой строке нет такого названия.",
     nullptr,
     {},
     0},
    {"extra column",
     "Фамилия;Телефон;Отдел;Табель\nПетров;555;Цех;9\n",
     true,
     false,
     nullptr,
     "Столбцы файла «new.csv», которых нет в справочнике, в него не войдут: «Телефон».",
     {"Петров;Цех;9"},
     1},
    {"other count by position",
     "Петров;Цех\n",
     false,
     false,
     "Столбцов в файле «new.csv»: 2, а полей в справочнике: 3. Без названий полей в первой "
     "строке столбцы сопоставляются с полями по порядку, и их должно быть столько же.",
     nullptr,
     {},
     0},
    {"numeric field, no number",
     "Петров;Цех;9\nСидоров;Склад;12-а\n",
     false,
     false,
     "Поле «Табель» числовое, но в строке 2 файла «new.csv» значение «12-а» — не целое число. "
     "Исправьте файл или сделайте поле текстовым.",
     nullptr,
     {},
     0},
    {"numeric field made text",
     "Петров;Цех;9\nСидоров;Склад;12-а\n",
     false,
     true,
     nullptr,
     "Поле «Табель» стало текстовым: в строке 2 значение «12-а» — не целое число.",
     {"Петров;Цех;9", "Сидоров;Склад;12-а"},
     0},
};

// Applies the design to case `c`'s table and checks the outcome.
void CheckMatchCase(const MatchCase& c) {
  testing_support::ScratchFolder scratch;
  FakeWindow view;
  const Document design = SavedDesign(scratch, view);
  std::vector<std::string> warnings;
  const Status status = Refresh(design, view.database_name, scratch.Write("new.csv", Cp(c.csv)),
                                c.header, c.as_text, scratch.File("new.fsr"), warnings);
  if (c.refusal) {
    EXPECT_TRUE(status.refusal());
    EXPECT_EQ(status.message(), c.refusal);
    return;
  }
  ASSERT_TRUE(status.ok()) << status.message();
  const std::string written = testing_support::ReadBytes(scratch.File("new.fsr"));
  std::vector<std::string> expected;
  for (const std::string& line : c.lines) expected.push_back(Cp(line));
  EXPECT_EQ(LinesFrom(written, WrittenHeaderLines(3) + 1), expected);
  EXPECT_EQ(warnings, c.warning ? std::vector<std::string>{c.warning} : std::vector<std::string>{});
  Document refreshed;
  ASSERT_TRUE(LoadFSR(refreshed, scratch.File("new.fsr"), view).ok());
  EXPECT_EQ(refreshed.Fields[1].Flags, design.Fields[1].Flags);
  EXPECT_EQ(refreshed.Fields[2].ResultWidth, 77);
  EXPECT_EQ(refreshed.Fields[3].DataType, c.as_text ? kTypeText : kTypeNumeric);
  EXPECT_EQ(refreshed.Fields[3].NumSize, c.number_size);
}

TEST(RefreshDesign, MatchesColumnsToFieldsAndChecksNumbers) {
  for (const MatchCase& c : kMatchCases) {
    SCOPED_TRACE(c.name);
    CheckMatchCase(c);
  }
}

// A design applied to the very data it was made from gives its source file again; only the line
// of the time of the save may differ.
TEST(RefreshDesign, ItsOwnDataGiveTheSameSourceFile) {
  testing_support::ScratchFolder scratch;
  FakeWindow view;
  const Document design = SavedDesign(scratch, view);
  std::vector<std::string> warnings;
  ASSERT_TRUE(Refresh(design, view.database_name, scratch.File("old.csv"), false, false,
                      scratch.File("again.fsr"), warnings)
                  .ok());
  std::vector<std::string> old_lines =
      LinesFrom(testing_support::ReadBytes(scratch.File("old.fsr")), 1);
  std::vector<std::string> new_lines =
      LinesFrom(testing_support::ReadBytes(scratch.File("again.fsr")), 1);
  constexpr int kTimeLine = 7;
  ASSERT_EQ(old_lines.size(), new_lines.size());
  old_lines.erase(old_lines.begin() + kTimeLine - 1);
  new_lines.erase(new_lines.begin() + kTimeLine - 1);
  EXPECT_EQ(old_lines, new_lines);
  EXPECT_TRUE(warnings.empty());
}

// A workbook's sheet is matched as a text table is: by the names of its first row, its columns
// reordered and the ones no field names left out.
TEST(RefreshDesign, AWorkbooksColumnsAreMatchedByName) {
  testing_support::ScratchFolder scratch;
  FakeWindow view;
  Document doc;
  ASSERT_TRUE(LoadCSV(doc, scratch.Write("old.csv", "FIO;TABNUM\nX;1\n"), view).ok());
  view.database_name = "Staff";
  ASSERT_TRUE(SaveFSR(doc, scratch.File("old.fsr"), view).ok());
  Document design;
  ReadResult read;
  ASSERT_TRUE(LoadFSRDesign(design, scratch.File("old.fsr"), read).ok());
  std::vector<std::string> warnings;
  ASSERT_TRUE(Refresh(design, "Staff", BWICK_SHEET_FIXTURES "/table.xlsx", true, false,
                      scratch.File("new.fsr"), warnings)
                  .ok());
  EXPECT_EQ(
      LinesFrom(testing_support::ReadBytes(scratch.File("new.fsr")), WrittenHeaderLines(2) + 1),
      (std::vector<std::string>{Cp("Иванов Иван Иванович;101"), Cp("Петрова Анна;102"),
                                Cp("Сидоров-Ёлкин Пётр;205")}));
  EXPECT_EQ(warnings, std::vector<std::string>{"Столбцы файла «table.xlsx», которых нет в "
                                               "справочнике, в него не войдут: «SALARY», «HIRED», "
                                               "«RATE»."});
}

}  // namespace
}  // namespace designer
