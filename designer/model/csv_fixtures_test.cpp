// Files shaped as real programs write them (test/data, made by make_csv_fixtures.py): the
// settings the import dialog preselects for each, and the first and last record read with them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/test/cp1251.h"
#include "designer/model/csv_detect.h"
#include "designer/model/csv_import.h"

namespace designer {
namespace {

using testing_support::Cp;

struct Fixture {
  const char* file;
  TextEncoding encoding;  // as the import dialog preselects them
  const char* splitter;
  bool quoted;
  std::int32_t skip_lines;
  std::vector<std::string> names;
  std::vector<std::string> first;  // UTF-8 here; the document holds Windows-1251
  std::vector<std::string> last;
  std::int32_t records;
  TableFinding line_breaks = {};  // values whose line break the save makes a blank
  TableFinding unmappable = {};   // records with a character Windows-1251 lacks
};

const Fixture kFixtures[] = {
    {"excel_ru.csv",
     TextEncoding::kCp1251,
     ";",
     true,
     0,
     {"Организация", "Адрес", "Телефон"},
     {"ООО \"Ромашка\"", "ул. Ленина; д. 1", "123"},
     {"Строительная компания \"Север\"", "г. Тверь", "5"},
     4,
     {1, 4}},
    {"libreoffice.csv",
     TextEncoding::kUtf8,
     ",",
     true,
     0,
     {"Имя", "Город", "Код"},
     {"Иванов", "Москва, центр", "123"},
     {"Сидорова", "Санкт-Петербург", "6789"},
     3},
    {"google_sheets.csv",
     TextEncoding::kUtf8,
     ",",
     true,
     0,
     {"Товар", "Цена", "Примечание"},
     {"Чай «Бодрость»", "45", "крупнолистовой, 100 г"},
     {"Сахар", "61", "Рафинад кусковой"},
     3,
     {1, 4}},
    {"excel_unicode.txt",
     TextEncoding::kUtf16,
     "\t",
     true,
     0,
     {"Фамилия", "Имя", "Телефон"},
     {"Иванов", "Пётр", "123"},
     {"Чжан", "Вэй ?", "89"},
     3,
     {},
     {1, 4}},
    {"onec_title.csv",
     TextEncoding::kCp1251,
     ";",
     false,
     1,
     {"Код", "Наименование", "ИНН"},
     {"1", "ООО Ромашка", "7701234567"},
     {"3", "АО Север", "7802345678"},
     3},
};

std::string PathOf(const char* file) { return std::string(BWICK_CSV_FIXTURES) + "/" + file; }

TEST(CsvFixtures, DetectedSettingsReadTheFirstAndLastRecordWhole) {
  for (const Fixture& fixture : kFixtures) {
    SCOPED_TRACE(fixture.file);
    const StatusOr<CsvGuess> guess = GuessCsvFile(PathOf(fixture.file), std::nullopt, ";");
    ASSERT_TRUE(guess.ok());
    EXPECT_EQ(guess.value(),
              (CsvGuess{fixture.encoding, fixture.splitter, fixture.quoted, fixture.skip_lines}));

    Document doc;
    ReadResult result;
    const ReadOptions options{.splitter = guess->splitter.value_or(";"),
                              .ask = [](const std::string&) { return true; },
                              .quoted = guess->quoted,
                              .skip_lines = guess->skip_lines};
    const Status status = LoadCSV(doc, PathOf(fixture.file), options, result);
    ASSERT_TRUE(status.ok()) << status.message();
    ASSERT_EQ(doc.FieldCount, static_cast<int>(fixture.names.size()));
    ASSERT_EQ(doc.RecordCount, fixture.records);
    for (int i = 1; i <= doc.FieldCount; ++i) {
      EXPECT_EQ(doc.Fields[i].Name, Cp(fixture.names[i - 1]));
      EXPECT_EQ(doc.SampleValues[1][i], Cp(fixture.first[i - 1]));
      EXPECT_EQ(doc.SampleValues[doc.RecordCount][i], Cp(fixture.last[i - 1]));
    }
    ASSERT_TRUE(result.warnings.has_value());
    EXPECT_EQ(result.warnings->line_breaks, fixture.line_breaks);
    EXPECT_EQ(result.warnings->unmappable, fixture.unmappable);
    EXPECT_EQ(result.warnings->other_field_count.count, 0);
    EXPECT_EQ(result.warnings->bad_quotes.count, 0);
  }
}

}  // namespace
}  // namespace designer
