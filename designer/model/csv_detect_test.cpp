#include "designer/model/csv_detect.h"

#include <gtest/gtest.h>

#include <string>

#include "common/test/scratch_folder.h"

namespace designer {
namespace {

struct Case {
  const char* what;
  std::string text;
  std::optional<std::string> splitter;
  bool quoted;
  std::int32_t skip_lines;
};

TEST(GuessCsvText, FindsSplitterQuotesAndTitleLines) {
  const Case cases[] = {
      {"semicolons", "a;b;c\n1;2;3\n", ";", false, 0},
      {"commas", "a,b,c\n1,2,3\n", ",", false, 0},
      {"tabs", "a\tb\n1\t2\n", "\t", false, 0},
      {"bars", "a|b\n1|2\n", "|", false, 0},
      {"one line", "a,b\n", ",", false, 0},
      {"Excel ru-RU", "Имя;Адрес\n\"ООО \"\"Ромашка\"\"\";\"ул. Ленина; д. 1\"\n", ";", true, 0},
      {"decimal commas split alike too: the first of the list wins", "Имя;Сумма\nа;1,5\nб;2,5\n",
       ";", false, 0},
      {"all text quoted", "\"Имя\",\"Код\"\n\"Иван\",12\n", ",", true, 0},
      {"a line break inside quotes", "a,b\n\"x\ny\",2\n", ",", true, 0},
      {"a title above the table", "Справочник\nИмя;Город\nа;б\nв;г\n", ";", false, 1},
      {"a quoted title", "Отчёт \"Итоги\"\n\nИмя;Город\n\"а;б\";в\n", ";", true, 2},
      {"empty lines are not looked at", "a;b\n\n1;2\n\n", ";", false, 0},
      {"inches are no quotes", "Экран;Размер\nTV;32\"\nМонитор;27\"\n", ";", false, 0},
      {"one column", "a\nb\n", std::nullopt, false, 0},
      {"one column in quotes", "\"a,b\"\n\"c\"\n", std::nullopt, true, 0},
      {"lines that never split alike", "a;b\n1;2;3\n", std::nullopt, false, 0},
      {"a title needs a table of two lines", "title\na;b\n", std::nullopt, false, 0},
      {"one stray line in ten does not hide the splitter",
       "a,b\n1,2\n3,4,5\n" + std::string("6,7\n") + "6,7\n6,7\n6,7\n6,7\n6,7\n6,7\n", ",", false,
       0},
      {"two in ten do", "a,b\n1,2\n3,4,5\n3,4,5\n6,7\n6,7\n6,7\n6,7\n6,7\n6,7\n", std::nullopt,
       false, 0},
      {"the most alike wins over the first of the list", "a;b,c\n1;2,3\n4,5\n6,7\n8,9\n", ",",
       false, 0},
  };
  for (const Case& c : cases) {
    const CsvGuess guess = GuessCsvText(c.text, /*complete=*/true, ",");
    EXPECT_EQ(guess.splitter, c.splitter) << c.what;
    EXPECT_EQ(guess.quoted, c.quoted) << c.what;
    EXPECT_EQ(guess.skip_lines, c.skip_lines) << c.what;
  }
}

TEST(GuessCsvText, ARecordCutByTheEndOfTheSampleIsNotJudged) {
  const std::string text = "a,b\n\"x\",1\n\"long\n";
  EXPECT_TRUE(GuessCsvText(text, /*complete=*/false, ";").quoted);
  EXPECT_FALSE(GuessCsvText(text, /*complete=*/true, ";").quoted);
}

TEST(GuessCsvFile, ReadsTheEncodingAndTheFirstLines) {
  testing_support::ScratchFolder scratch;
  StatusOr<CsvGuess> guess =
      GuessCsvFile(scratch.Write("u.csv", "\xEF\xBB\xBFИмя,Код\nа,1\n"), std::nullopt, ";");
  ASSERT_TRUE(guess.ok());
  EXPECT_EQ(guess.value(), (CsvGuess{TextEncoding::kUtf8, ",", false, 0}));

  std::string many;
  for (int i = 0; i < 1000; ++i) many += "a;b\n";
  many += "a;b;c\n";  // beyond the lines looked at
  guess = GuessCsvFile(scratch.Write("m.csv", many), std::nullopt, ",");
  ASSERT_TRUE(guess.ok());
  EXPECT_EQ(guess->splitter, ";");

  const Status binary =
      GuessCsvFile(scratch.Write("b.csv", std::string("a;\0b\n", 5)), std::nullopt, ";").status();
  EXPECT_TRUE(binary.refusal());
  EXPECT_NE(binary.message().find("не является текстовым файлом"), std::string::npos);
}

}  // namespace
}  // namespace designer
