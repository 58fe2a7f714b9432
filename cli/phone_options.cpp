#include "cli/phone_options.h"

#include "builder/convert/phone_book.h"
#include "common/codepage.h"

namespace cli {
namespace {

std::optional<std::string> ToCp1251(const std::string& utf8, const std::string& option,
                                    std::string& error) {
  codepage::Unmappable failure;
  std::optional<std::string> cp1251 = codepage::Utf8ToCp1251(utf8, &failure);
  if (!cp1251) {
    error = "--" + option + ": the character at byte " + std::to_string(failure.offset) +
            " has no Windows-1251 code";
  }
  return cp1251;
}

}  // namespace

std::optional<PhoneOptions> ReadPhoneOptions(const ParsedArguments& parsed, std::string& error) {
  PhoneOptions options;
  if (const auto name = parsed.Value("name")) {
    const auto cp1251 = ToCp1251(*name, "name", error);
    if (!cp1251) return std::nullopt;
    if (cp1251->size() > builder::kMaxPhoneBookNameBytes) {
      error = "--name: at most " + std::to_string(builder::kMaxPhoneBookNameBytes) + " characters";
      return std::nullopt;
    }
    options.name = *cp1251;
  }
  if (const auto splitter = parsed.Value("splitter")) {
    const auto cp1251 = ToCp1251(*splitter, "splitter", error);
    if (!cp1251) return std::nullopt;
    if (cp1251->size() != 1) {
      error = "--splitter: exactly one character";
      return std::nullopt;
    }
    options.splitter = *cp1251;
  }
  if (const auto digits = parsed.Value("digits")) {
    if (digits->size() != 1 || (*digits)[0] < '0' || (*digits)[0] > '9') {
      error = "--digits: one decimal digit, 0 to 9";
      return std::nullopt;
    }
    options.digits = *digits;
  }
  return options;
}

}  // namespace cli
