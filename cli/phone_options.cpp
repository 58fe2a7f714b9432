#include "cli/phone_options.h"

#include "builder/convert/byte_io.h"
#include "builder/convert/phone_book.h"
#include "builder/convert/table_database.h"
#include "builder/convert/text_source.h"
#include "format/phone_book_layout.h"

namespace cli {

StatusOr<PhoneOptions> ReadPhoneOptions(const ParsedArguments& parsed) {
  PhoneOptions options;
  if (const auto name = parsed.Value("name")) {
    StatusOr<std::string> cp1251 = OptionToCp1251(*name, "name");
    if (!cp1251.ok()) return cp1251.status();
    options.name = std::move(cp1251).value();
    if (options.name.size() > format::kMaxPhoneBookNameBytes) {
      return Status::Refusal("--name: не более " + std::to_string(format::kMaxPhoneBookNameBytes) +
                             " символов");
    }
  }
  if (const auto splitter = parsed.Value("splitter")) {
    StatusOr<std::string> cp1251 = SplitterToCp1251(*splitter);
    if (!cp1251.ok()) return cp1251.status();
    options.splitter = std::move(cp1251).value();
  }
  if (const auto digits = parsed.Value("digits")) {
    if (!format::ParsePhoneDigits(*digits))
      return Status::Refusal("--digits: одна цифра, от 0 до 9");
    options.digits = *digits;
  }
  return options;
}

StatusOr<InputOptions> ReadInputOptions(const ParsedArguments& parsed) {
  // The phone options first: a command line wrong in both says what it always said.
  StatusOr<PhoneOptions> phone = ReadPhoneOptions(parsed);
  if (!phone.ok()) return phone.status();
  const StatusOr<std::optional<codepage::TextEncoding>> encoding = ReadEncodingOption(parsed);
  if (!encoding.ok()) return encoding.status();
  return InputOptions{std::move(phone).value(), encoding.value()};
}

Status OptionsForPhoneListsOnly(const ParsedArguments& parsed, std::string_view input_kind) {
  for (const OptionSpec& option : {kNameOption, kSplitterOption, kDigitsOption}) {
    if (parsed.Has(std::string(option.name)))
      return Status::Refusal("--" + std::string(option.name) +
                             " задаётся только для списка телефонов, а вход - " +
                             std::string(input_kind));
  }
  return Status::Ok();
}

bool TakeDigitsFromFirstLine(const std::string& path, const std::string& shown,
                             std::optional<codepage::TextEncoding> encoding, PhoneOptions& phone,
                             Console& console) {
  if (!phone.digits.empty()) return true;
  builder::TextSource source(path, encoding);
  builder::LineReader reader(source);
  std::string line;
  if (!reader.ReadLine(builder::kDataLineBytes, line) || !builder::CheckPhoneFirstLine(line).ok()) {
    return true;
  }
  std::string_view phone_field;
  builder::NextField(line, 0, phone.splitter.empty() ? format::kDefaultSplitter : phone.splitter[0],
                     phone_field);
  if (phone_field.size() > 9) {
    console.Error(shown, "номер телефона в первой строке длиннее 9 цифр (" +
                             std::to_string(phone_field.size()) + "), а --digits задаёт от 0 до 9");
    return false;
  }
  phone.digits = std::to_string(phone_field.size());
  console.Note(shown, "число цифр в номере телефона взято из первой строки: " + phone.digits +
                          " (задаётся параметром --digits)");
  return true;
}

}  // namespace cli
