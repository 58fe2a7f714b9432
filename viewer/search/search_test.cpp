#include "viewer/search/search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder/convert/run_conversion.h"
#include "builder/convert/test/test_support.h"
#include "common/codepage.h"
#include "common/test/cp1251.h"
#include "format/source_values.h"
#include "viewer/search/book.h"

namespace viewer {
namespace {

using format::kFlagDigitsOnly;
using format::kFlagIgnoreCase;
using format::kFlagSearchWithin;
using format::kFlagUpperCase;

using testing_support::Cp;

TEST(ValueMatcher, EachFlagBitAloneAndCombined) {
  struct Case {
    int flags;
    const char* typed;
    const char* value;
    bool matches;
  };
  const Case cases[] = {
      // From the start, bytes as they are.
      {0, "Ива", "Иванов", true},
      {0, "ива", "Иванов", false},
      {0, "нов", "Иванов", false},
      {0, "Иванов-", "Иванов", false},
      // Anywhere in the value.
      {kFlagSearchWithin, "нов", "Иванов", true},
      {kFlagSearchWithin, "НОВ", "Иванов", false},
      // Letter case ignored, Cyrillic and Latin pairs, ё and Ё included.
      {kFlagIgnoreCase, "иВА", "ИВАНОВ", true},
      {kFlagIgnoreCase, "ё", "Ёлкин", true},
      {kFlagIgnoreCase, "ЁЛ", "ёлкин", true},
      {kFlagIgnoreCase, "ab", "ABC", true},
      {kFlagIgnoreCase, "е", "Ёлкин", false},
      {0, "ё", "Ёлкин", false},
      {kFlagIgnoreCase, "нов", "ИВАНОВ", false},
      {kFlagSearchWithin | kFlagIgnoreCase, "нОв", "Иванов", true},
      {kFlagSearchWithin | kFlagIgnoreCase, "ЁЛ", "Новосёлов", true},
      // Typed letters become capitals, then compare as the other bits say.
      {kFlagUpperCase, "ива", "ИВАНОВ", true},
      {kFlagUpperCase, "ива", "Иванов", false},
      {kFlagUpperCase | kFlagSearchWithin, "ёл", "НОВОСЁЛОВ", true},
      {kFlagUpperCase | kFlagIgnoreCase, "ива", "иванов", true},
      // A number's decimal text; the digits-only bit changes only what the box takes.
      {kFlagDigitsOnly, "30", "300", true},
      {kFlagDigitsOnly, "00", "300", false},
      {kFlagDigitsOnly | kFlagSearchWithin, "00", "300", true},
      {kFlagDigitsOnly, "3000", "300", false},
  };
  for (const Case& c : cases) {
    const ValueMatcher matcher(static_cast<std::uint8_t>(c.flags), Cp(c.typed));
    EXPECT_EQ(matcher.Matches(Cp(c.value)), c.matches)
        << "flags " << c.flags << ", " << c.typed << " in " << c.value;
  }
}

TEST(InputRules, DigitsOnlyBoxesAndCapitals) {
  EXPECT_TRUE(BoxTakes(kFlagDigitsOnly, "0123456789"));
  EXPECT_TRUE(BoxTakes(kFlagDigitsOnly, ""));
  EXPECT_FALSE(BoxTakes(kFlagDigitsOnly, "12a"));
  EXPECT_FALSE(BoxTakes(kFlagDigitsOnly | kFlagUpperCase, "-1"));
  EXPECT_TRUE(BoxTakes(kFlagUpperCase | kFlagSearchWithin | kFlagIgnoreCase, "12a-"));

  EXPECT_EQ(AsTyped(kFlagUpperCase, Cp("иванов ёж abc 12")), Cp("ИВАНОВ ЁЖ ABC 12"));
  EXPECT_EQ(AsTyped(kFlagIgnoreCase | kFlagSearchWithin | kFlagDigitsOnly, Cp("ёж")), Cp("ёж"));
}

class BookSearch : public ::testing::Test {
 protected:
  // Name from the start, letter case ignored; post anywhere, case as typed; number (digits only).
  BookSearch()
      : book_(BookLayout{BookKind::kTable,
                         "Staff",
                         {{.name = "Name", .flags = kFlagIgnoreCase, .query_index = 2},
                          {.name = "Post", .flags = kFlagSearchWithin, .query_index = 1},
                          {.name = "Number", .flags = kFlagDigitsOnly}}}) {
    Add("Иванов", "Инженер", "300");
    Add("Ёлкина", "Главный инженер", "3001");
    Add("иваненко", "Бухгалтер", "13");
    Add("Петров", "инженер-технолог", "300");
  }

  void Add(const char* name, const char* post, const char* number) {
    const std::string values[] = {Cp(name), Cp(post), number};
    const std::string_view views[] = {values[0], values[1], values[2]};
    book_.Append(views);
  }

  std::vector<std::uint32_t> Find(const std::vector<QueryBox>& boxes) const {
    std::vector<QueryBox> cp1251 = boxes;
    for (QueryBox& box : cp1251) box.text = Cp(box.text);
    return FindRecords(book_, RecordMatcher::AllBoxes(book_.layout(), cp1251));
  }

  Book book_;
};

TEST_F(BookSearch, EveryBoxThatIsNotEmptyMatchesInFileOrder) {
  using Found = std::vector<std::uint32_t>;
  EXPECT_EQ(Find({}), (Found{0, 1, 2, 3}));
  EXPECT_EQ(Find({{0, ""}, {1, ""}}), (Found{0, 1, 2, 3}));
  EXPECT_EQ(Find({{0, "ИВАН"}}), (Found{0, 2}));
  EXPECT_EQ(Find({{0, "ё"}}), (Found{1}));
  EXPECT_EQ(Find({{1, "инженер"}}), (Found{1, 3}));
  EXPECT_EQ(Find({{1, "инженер"}, {2, "300"}}), (Found{1, 3}));
  EXPECT_EQ(Find({{1, "инженер"}, {2, "3001"}}), (Found{1}));
  EXPECT_EQ(Find({{0, "иван"}, {1, ""}, {2, "3"}}), (Found{0}));
  EXPECT_EQ(Find({{0, "Сидоров"}}), Found{});
}

TEST_F(BookSearch, OnePhoneBookBoxMatchesTheStartOfAnyColumn) {
  Book phones(BookLayout{BookKind::kPhoneBook, "Phones", PhoneBookFields()});
  const std::string rows[][4] = {{Cp("ИВАНОВ"), Cp("ИВАН"), "", "A"},
                                 {Cp("ПЕТРОВ"), Cp("ПЁТР"), Cp("ИВАНОВИЧ"), "B"},
                                 {Cp("СИДОРОВ"), "", "", Cp("УЛ. ИВАНОВА")}};
  for (const auto& row : rows) {
    const std::string_view views[] = {row[0], row[1], row[2], row[3]};
    phones.Append(views);
  }
  const auto find = [&](const char* text) {
    return FindRecords(phones, RecordMatcher::AnyField(phones.layout(), Cp(text)));
  };
  EXPECT_EQ(find("иван"), (std::vector<std::uint32_t>{0, 1}));
  EXPECT_EQ(find("пётр"), (std::vector<std::uint32_t>{1}));
  EXPECT_EQ(find(""), (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_TRUE(find("ова").empty());
}

TEST(ScreenOrder, FieldsByTheirPlacesLeavingOutPlaceZero) {
  BookLayout layout;
  const std::uint8_t places[][3] = {{2, 0, 3}, {0, 1, 1}, {1, 2, 0}, {2, 3, 1}};
  for (const auto& p : places) {
    layout.fields.push_back(
        {.name = "", .query_index = p[0], .result_index = p[1], .detail_index = p[2]});
  }
  using Fields = std::vector<std::size_t>;
  EXPECT_EQ(InputFields(layout), (Fields{2, 0, 3}));
  EXPECT_EQ(ResultFields(layout), (Fields{1, 2, 3}));
  EXPECT_EQ(DetailFields(layout), (Fields{1, 3, 0}));
}

class LoadBookTest : public ::testing::Test {
 protected:
  builder::testing::ScratchDir dir_;
};

TEST_F(LoadBookTest, PackedTableAndPhoneBookAsText) {
  using builder::testing::FieldLines;
  const std::string fsr = dir_.Write(
      "staff.fsr",
      builder::testing::SourceFile(
          {{.name = Cp("Фамилия"),
            .flags = 10,
            .query = 1,
            .result = 2,
            .detail = 2,
            .edit = 120,
            .result_width = 90},
           {.name = "No", .type = 2, .flags = 1, .size = 2, .query = 0, .result = 1, .detail = 1}},
          Cp("Иванов;300\r\nЁлкин;7\r\n"), 13, ';', Cp("Кадры")));
  const std::string list = dir_.Write("list.csv", Cp("555;иванов;иван;;ул. ленина\r\n"));
  builder::testing::RecordingReporter reporter;
  builder::ConversionRequest table_request, list_request;
  table_request.path = fsr;
  list_request.path = list;
  list_request.name = "Tel";
  list_request.digits = "3";
  list_request.keep_intermediate = true;  // the phone book unpacked
  for (const auto& request : {table_request, list_request}) {
    ASSERT_TRUE(builder::RunConversion(request, reporter).ok());
  }

  const StatusOr<Book> loaded_table = LoadBook(dir_.File("staff.fdb"));
  ASSERT_TRUE(loaded_table.ok());
  const Book& table = loaded_table.value();
  EXPECT_EQ(table.layout().kind, BookKind::kTable);
  EXPECT_EQ(table.layout().name, Cp("Кадры"));
  ASSERT_EQ(table.layout().fields.size(), 2u);
  const BookField& surname = table.layout().fields[0];
  EXPECT_EQ(surname.name, Cp("Фамилия"));
  EXPECT_EQ(std::vector<int>({surname.flags, surname.query_index, surname.result_index,
                              surname.detail_index, surname.edit_width, surname.result_width}),
            std::vector<int>({10, 1, 2, 2, 120, 90}));
  ASSERT_EQ(table.record_count(), 2u);
  EXPECT_EQ(table.Value(0, 0), Cp("Иванов"));
  EXPECT_EQ(table.Value(0, 1), "300");
  EXPECT_EQ(table.Value(1, 0), Cp("Ёлкин"));
  EXPECT_EQ(table.Value(1, 1), "7");

  const StatusOr<Book> loaded_phones = LoadBook(dir_.File("list.db"));
  ASSERT_TRUE(loaded_phones.ok());
  const Book& phones = loaded_phones.value();
  EXPECT_EQ(phones.layout().kind, BookKind::kPhoneBook);
  EXPECT_EQ(phones.layout().name, "Tel");
  ASSERT_EQ(phones.record_count(), 1u);
  EXPECT_EQ(phones.Value(0, 0), Cp("ИВАНОВ"));
  EXPECT_EQ(phones.Value(0, 2), "");
  EXPECT_EQ(phones.Value(0, 3), Cp("УЛ. ЛЕНИНА"));
}

TEST_F(LoadBookTest, ADamagedOrMissingFileFailsWithItsReason) {
  const std::string cut = dir_.Write("cut.db", std::string("BRWK\x0D\x01", 6));
  for (const std::string& path : {cut, dir_.File("missing.fdb")}) {
    const StatusOr<Book> loaded = LoadBook(path);
    EXPECT_FALSE(loaded.ok()) << path;
    EXPECT_FALSE(loaded.status().message().empty()) << path;
  }
}

}  // namespace
}  // namespace viewer
