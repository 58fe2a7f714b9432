// The phone-list options shared by build and check: name, splitter and digits, given in UTF-8
// on the command line and turned into the Windows-1251 values of the builder window's fields.
#pragma once

#include <optional>
#include <string>

#include "cli/command_line.h"
#include "cli/console.h"

namespace cli {

inline constexpr OptionSpec kNameOption = {"name", 0, "ИМЯ",
                                           "название справочника телефонов, до 22 символов"};
inline constexpr OptionSpec kSplitterOption = {
    "splitter", 0, "С", "разделитель полей списка телефонов, tab - табуляция (по умолчанию ;)"};
inline constexpr OptionSpec kDigitsOption = {
    "digits", 0, "N", "число цифр в номере телефона, 0-9 (по умолчанию: как в первой строке)"};

struct PhoneOptions {
  std::string name;      // Windows-1251, at most 22 bytes
  std::string splitter;  // Windows-1251, empty or one byte
  std::string digits;    // empty or one decimal digit
};

// Reads --name, --splitter and --digits; refuses a value the builder cannot take.
StatusOr<PhoneOptions> ReadPhoneOptions(const ParsedArguments& parsed);

struct InputOptions {
  PhoneOptions phone;
  std::optional<codepage::TextEncoding> encoding;  // nullopt: detected
};

// The input options of build and check: the phone-list options, then --encoding.
StatusOr<InputOptions> ReadInputOptions(const ParsedArguments& parsed);

// Refuses the phone-list options of `parsed` that an input of another kind would silently
// ignore, naming the first of them; ok when none was given.
Status OptionsForPhoneListsOnly(const ParsedArguments& parsed, std::string_view input_kind);

// When no --digits was given: the length of the phone field of the first line of the list at
// `path` (read in `encoding`, cut at the splitter), which `console` tells the user about, naming
// the list `shown`. Left empty when that line does not begin with a digit or cannot be read: the
// conversion reports why. False after an error shown on `console` (a first phone field longer
// than 9 digits).
bool TakeDigitsFromFirstLine(const std::string& path, const std::string& shown,
                             std::optional<codepage::TextEncoding> encoding, PhoneOptions& phone,
                             Console& console);

}  // namespace cli
