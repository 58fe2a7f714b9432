#include "cli/build_command.h"

#include "builder/convert/run_conversion.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/phone_options.h"
#include "cli/readable_input.h"

namespace cli {

const CommandSpec kBuildCommand = {
    "build",
    "ВХОД",
    "преобразовать исходный файл или список телефонов в файл для КПК",
    "Преобразует ВХОД в упакованный файл справочника для КПК рядом с ним:\n"
    "  ФАЙЛ.fsr      исходный файл справочника     -> ФАЙЛ.fdb\n"
    "  ФАЙЛ.db       готовая база, только упаковка -> ФАЙЛ.zdb\n"
    "  другой ФАЙЛ.* список телефонов              -> ФАЙЛ.fdb\n"
    "Существующий упакованный файл заменяется. Исходный файл и список телефонов могут быть\n"
    "в Windows-1251 или в UTF-8. Последняя строка вывода называет записанный файл.",
    {kNameOption,
     kSplitterOption,
     kDigitsOption,
     kEncodingOption,
     {"keep-db", 0, "", "оставить базу данных ФАЙЛ.db рядом с упакованным файлом"},
     {"force", 0, "", "с --keep-db: заменить существующий ФАЙЛ.db"},
     kQuietOption,
     kProgressOption},
};

namespace {

// What the command line asks of `kind`, or why it cannot be asked.
std::string WhyOptionsDoNotApply(const ParsedArguments& parsed, builder::ConversionKind kind) {
  if (kind == builder::ConversionKind::kSourceFile)
    return OptionsForPhoneListsOnly(parsed, "исходный файл (.fsr)");
  if (kind == builder::ConversionKind::kPackedDatabase) {
    for (const char* option : {"encoding", "keep-db"}) {
      if (parsed.Has(option))
        return "--" + std::string(option) + " не относится к готовой базе данных (.db)";
    }
    return OptionsForPhoneListsOnly(parsed, "готовая база данных (.db)");
  }
  return "";
}

}  // namespace

int RunBuildCommand(const std::vector<std::string>& args) {
  int status = kExitOk;
  const auto parsed = ParseCommandLine(kBuildCommand, args, std::cout, std::cerr, status);
  if (!parsed) return status;
  const std::string& input = parsed->operands[0];
  std::string error;
  const auto encoding = ReadEncodingOption(*parsed, error);
  auto phone = ReadPhoneOptions(*parsed, error);
  if (!error.empty()) return UsageError("build", error, std::cerr);
  if (parsed->Has("force") && !parsed->Has("keep-db"))
    return UsageError("build", "--force задаётся только вместе с --keep-db", std::cerr);
  const auto names = builder::NameConversion(input);
  if (names) error = WhyOptionsDoNotApply(*parsed, names->kind);
  if (!error.empty()) return UsageError("build", error, std::cerr);

  Console console("build", {parsed->Has("quiet"), parsed->Has("progress")});
  if (const std::string why = WhyUnreadable(input); !why.empty()) {
    console.Error(input, why);
    return kExitUnreadable;
  }
  // Without a name the conversion refuses at once: no digits to take then.
  if (names && names->kind == builder::ConversionKind::kPhoneBook && !phone->name.empty() &&
      !TakeDigitsFromFirstLine(input, input, encoding, *phone, console)) {
    return kExitFailed;
  }

  builder::ConversionRequest request;
  request.path = input;
  request.name = phone->name;
  request.splitter = phone->splitter;
  request.digits = phone->digits;
  request.keep_intermediate = parsed->Has("keep-db");
  request.replace_kept = parsed->Has("force");
  request.encoding = encoding;
  ConsoleReporter reporter(console, input);
  switch (builder::RunConversion(request, reporter)) {
    case builder::ConversionOutcome::kDone:
      console.Result((request.keep_intermediate ? "Записан файл " + names->intermediate + "\n"
                                                : std::string()) +
                     "Записан файл " + names->target + "\n");
      return kExitOk;
    case builder::ConversionOutcome::kRefused:
      return kExitUsage;
    case builder::ConversionOutcome::kConversionFailed:
    case builder::ConversionOutcome::kPackingFailed:
      return kExitFailed;
  }
  return kExitFailed;
}

}  // namespace cli
