// CSV files read with the import dialog's settings (quotes, lines passed over, UTF-16), from
// LoadCSV to the data lines of the saved source file, and the preview and warnings the dialog
// shows.
#include "designer/model/csv_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/test/cp1251.h"
#include "common/test/scratch_folder.h"
#include "designer/model/csv_import.h"
#include "designer/model/source_file.h"

namespace designer {
namespace {

using testing_support::Cp;

// The data lines of a saved source file: what follows its last header value.
std::string DataLines(const std::string& saved, int field_count) {
  std::size_t at = 0;
  for (std::int32_t line = 0; line < WrittenHeaderLines(field_count); ++line)
    at = saved.find("\r\n", at) + 2;
  return saved.substr(at);
}

class CsvTableTest : public testing::Test {
 protected:
  // Imports `bytes` as `options` say, first line answered Yes.
  Status Import(const std::string& bytes, ReadOptions options, Document& doc, ReadResult& result) {
    options.ask = [](const std::string&) { return true; };
    return LoadCSV(doc, scratch_.Write("in.csv", bytes), options, result);
  }
  // Saves `doc` with `splitter` and returns its data lines.
  std::string Save(Document& doc, const std::string& splitter, bool cut = true) {
    const std::string path = scratch_.File("out.fsr");
    const Status saved =
        SaveFSR(doc, path, {.database_name = "N", .splitter = splitter, .cut_long_lines = cut});
    EXPECT_TRUE(saved.ok()) << saved.message();
    return DataLines(testing_support::ReadBytes(path), doc.FieldCount);
  }

  testing_support::ScratchFolder scratch_;
};

TEST_F(CsvTableTest, QuotedValuesReachTheSourceFileWholeJoinedByAFreeSplitter) {
  const std::string csv =
      Cp("Организация;Адрес;Телефон\r\n"
         "\"ООО \"\"Ромашка\"\"\";\"ул. Ленина; д. 1\";123\r\n"
         "ЗАО Лес;\"ул. Садовая,\nд. 7\";89\r\n"
         "\r\n");
  Document doc;
  ReadResult result;
  ASSERT_TRUE(Import(csv, {.splitter = ";", .quoted = true}, doc, result).ok());
  EXPECT_EQ(doc.FieldCount, 3);
  EXPECT_EQ(doc.Fields[2].Name, Cp("Адрес"));
  EXPECT_EQ(doc.RecordCount, 3);  // the empty line counts, as it does without quotes
  EXPECT_EQ(doc.SampleValues[1][1], Cp("ООО \"Ромашка\""));
  EXPECT_EQ(doc.SampleValues[1][2], Cp("ул. Ленина; д. 1"));
  EXPECT_EQ(doc.SampleValues[2][2], Cp("ул. Садовая, д. 7"));
  EXPECT_EQ(doc.Fields[1].MaxLen, 13);
  EXPECT_TRUE(doc.SourceQuoted);
  EXPECT_EQ(doc.SourceSplitter, ";");
  // ";" and "," stand in values: the first free one of the list is the tab.
  ASSERT_EQ(result.splitter, "\t");
  ASSERT_TRUE(result.warnings.has_value());
  EXPECT_EQ(result.warnings->line_breaks, (TableFinding{1, 3}));

  EXPECT_EQ(Save(doc, "\t"), Cp("ООО \"Ромашка\"\tул. Ленина; д. 1\t123\r\n"
                                "ЗАО Лес\tул. Садовая, д. 7\t89\r\n"));
  EXPECT_EQ(doc.RecordCount, 2);  // the empty line is not written

  // A splitter that a value holds would split it again in the builder: the save refuses.
  const Status refused = SaveFSR(doc, scratch_.File("bad.fsr"),
                                 {.database_name = "N", .splitter = ";", .cut_long_lines = true});
  EXPECT_TRUE(refused.refusal());
  EXPECT_NE(refused.message().find("Строка 2 файла «in.csv» содержит значение с разделителем «;»"),
            std::string::npos)
      << refused.message();
}

TEST_F(CsvTableTest, LinesAboveTheTableArePassedOverByTheImportAndTheSave) {
  const std::string csv = Cp("Отчёт на 01.03\r\nКод;Имя\r\n1;Аня\r\n2;Борис\r\n");
  for (const bool quoted : {false, true}) {
    Document doc;
    ReadResult result;
    ASSERT_TRUE(
        Import(csv, {.splitter = ";", .quoted = quoted, .skip_lines = 1}, doc, result).ok());
    EXPECT_EQ(doc.Fields[1].Name, Cp("Код"));
    EXPECT_EQ(doc.Fields[1].DataType, kTypeNumeric);
    EXPECT_EQ(doc.RecordCount, 2);
    EXPECT_EQ(doc.SourceSkipLines, 1);
    EXPECT_EQ(Save(doc, quoted ? "," : ";"),
              quoted ? Cp("1,Аня\r\n2,Борис\r\n") : Cp("1;Аня\r\n2;Борис\r\n"));
  }
}

TEST_F(CsvTableTest, Utf16FilesAreReadAndWrittenAsTheirWindows1251Twins) {
  const std::u16string text = u"Фамилия\tКод\r\n\"Ёлкина \"\"Аня\"\"\"\t12\r\nПётр\t3\r\n";
  for (const bool big_endian : {false, true}) {
    std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
      const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
      bytes += big_endian ? std::string{high, low} : std::string{low, high};
    }
    Document doc;
    ReadResult result;
    ASSERT_TRUE(Import(bytes, {.splitter = "\t", .quoted = true}, doc, result).ok());
    EXPECT_EQ(result.encoding_label, "UTF-16");
    EXPECT_EQ(doc.SourceEncoding, TextEncoding::kUtf16);
    EXPECT_EQ(doc.SampleValues[1][1], Cp("Ёлкина \"Аня\""));
    EXPECT_EQ(Save(doc, ";"), Cp("Ёлкина \"Аня\";12\r\nПётр;3\r\n"));

    // Without quotes the lines are copied as they stand, converted.
    ASSERT_TRUE(Import(bytes, {.splitter = "\t"}, doc, result).ok());
    EXPECT_EQ(Save(doc, "\t"), Cp("\"Ёлкина \"\"Аня\"\"\"\t12\r\nПётр\t3\r\n"));
  }
}

TEST_F(CsvTableTest, WarningsCountTheWholeFileWithTheFirstLineOfEach) {
  std::string csv = "a;b\n1;2\n\"x\";3\n1;2;3\n" + std::string(260, 'y') + ";1\n4\n";
  Document doc;
  ReadResult result;
  ASSERT_TRUE(Import(csv, {.splitter = ";"}, doc, result).ok());
  ASSERT_TRUE(result.warnings.has_value());
  EXPECT_EQ(result.warnings->looks_quoted, (TableFinding{1, 3}));
  EXPECT_EQ(result.warnings->other_field_count, (TableFinding{2, 4}));
  EXPECT_EQ(result.warnings->long_lines, (TableFinding{1, 5}));

  ASSERT_TRUE(Import("a;b\n\xE4\xB8\xAD;1\n", {.splitter = ";"}, doc, result).ok());
  EXPECT_EQ(result.warnings->unmappable, (TableFinding{1, 2}));
  EXPECT_EQ(result.warnings->first_unmappable,
            "символ U+4E2D «中», которого нет в кодировке Windows-1251");
}

TEST_F(CsvTableTest, TheDialogsPreviewStopsAfterItsRecordsAndTheWarningsPassCanBeStopped) {
  std::string csv = "n;v\n";
  for (int i = 1; i <= 5000; ++i) csv += std::to_string(i) + ";x\n";
  const std::string path = scratch_.Write("big.csv", csv);
  CsvTable table;
  const CsvSettings settings{.splitter = ";", .first_line_has_names = true};
  ASSERT_TRUE(
      ReadCsvTable(path, settings, {.max_records = kPreviewRecords}, kPreviewRecords, table).ok());
  EXPECT_EQ(table.head.first.Names, (std::vector<std::string>{"n", "v"}));
  EXPECT_EQ(table.scan->record_count(), 100);
  EXPECT_EQ(table.scan->preview().back(), (std::vector<std::string>{"100", "x"}));
  EXPECT_EQ(table.scan->preview_lines().front(), 2);

  int asked = 0;
  ASSERT_TRUE(
      ReadCsvTable(path, settings, {.go_on = [&asked] { return ++asked < 2; }}, 0, table).ok());
  EXPECT_EQ(table.scan->record_count(), 2 * kCsvProgressStep);
}

TEST_F(CsvTableTest, AnotherSplitterReadsTheFileAgainKeepingFieldSettingsWhenTheCountStays) {
  Document doc;
  ReadResult result;
  ASSERT_TRUE(Import("a,b;c\n1,2;3\n", {.splitter = ";"}, doc, result).ok());
  doc.Fields[1].Name = "renamed";
  doc.Fields[2].Flags = 0;

  Document reread;
  ASSERT_TRUE(RereadCSV(doc, ",", nullptr, reread, result).ok());
  EXPECT_EQ(reread.FieldCount, 2);  // "a" and "b;c": the same count, the settings stay
  EXPECT_EQ(reread.Fields[1].Name, "renamed");
  EXPECT_EQ(reread.Fields[2].Flags, 0);
  EXPECT_EQ(reread.SampleValues[1][2], "2;3");
  EXPECT_EQ(reread.SourceSplitter, ",");

  ASSERT_TRUE(RereadCSV(doc, "|", nullptr, reread, result).ok());
  EXPECT_EQ(reread.FieldCount, 1);
  EXPECT_EQ(reread.Fields[1].Name, "a,b;c");  // read afresh, the first line still the names
  EXPECT_EQ(result.splitter, "|");
}

}  // namespace
}  // namespace designer
