#include "designer/model/int_text.h"

#include <gtest/gtest.h>

#include <string>

namespace designer {
namespace {

TEST(ParseInt32, AcceptsSignedDecimalsOverTheWholeRange) {
  const struct {
    const char* text;
    std::int32_t expected;
  } cases[] = {{"0", 0},
               {"42", 42},
               {"-17", -17},
               {"+8", 8},
               {"007", 7},
               {"2147483647", INT32_MAX},
               {"-2147483648", INT32_MIN},
               {"-0", 0}};
  for (const auto& c : cases) {
    const StatusOr<std::int32_t> value = ParseInt32(c.text);
    ASSERT_TRUE(value.ok()) << c.text << ": " << value.status().message();
    EXPECT_EQ(value.value(), c.expected) << c.text;
  }
}

TEST(ParseInt32, RefusesAnythingButSignAndDigitsWithTheStandardMessage) {
  const char* cases[] = {"",    "-",          "+",           " 5",
                         "5 ",  "1.5",        "12a",         "0x10",
                         "--1", "2147483648", "-2147483649", "99999999999999999999999",
                         "5\r", "двенадцать"};
  for (const char* text : cases) {
    const Status status = ParseInt32(text).status();
    EXPECT_FALSE(status.ok()) << text;
    EXPECT_FALSE(status.refusal()) << text;
    EXPECT_EQ(status.message(), "«" + std::string(text) + "» — не целое число");
  }
}

}  // namespace
}  // namespace designer
