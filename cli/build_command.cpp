#include "cli/build_command.h"

#include "builder/convert/run_conversion.h"
#include "cli/console.h"
#include "cli/design_option.h"
#include "cli/designed_build.h"
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
    "в Windows-1251 или в UTF-8. Последняя строка вывода называет записанный файл.\n"
    "С --design ВХОД - таблица (CSV), как для bwick import: справочник получает оформление\n"
    "исходного файла ФАЙЛ.fsr и данные таблицы; --splitter и --encoding относятся к таблице.\n"
    "Без -o справочник ложится рядом с таблицей: ТАБЛИЦА.fdb.",
    {kNameOption,
     kSplitterOption,
     kDigitsOption,
     kEncodingOption,
     {"keep-db", 0, "", "оставить базу данных ФАЙЛ.db рядом с упакованным файлом"},
     {"force", 0, "", "с --keep-db или --keep-fsr: заменить существующий файл"},
     kDesignOption,
     {"header", 0, "", "с --design: первая строка таблицы содержит названия полей"},
     {"quote", 0, "КАВЫЧКИ", "с --design: \" (значения в кавычках, RFC 4180) или none"},
     {"sheet", 0, "ЛИСТ", "с --design: лист таблицы .xlsx, .ods, .xls, .dbf (название или номер)"},
     {"skip", 0, "N", "с --design: пропустить N строк в начале таблицы"},
     {"no-cut", 0, "", "с --design: не обрезать строки длиннее 250 символов"},
     kAsTextOption,
     kKeepSourceOption,
     kBookOption,
     kQuietOption,
     kProgressOption},
};

namespace {

// Refuses what the command line asks of `kind` when it cannot be asked.
Status CheckOptionsApply(const ParsedArguments& parsed, builder::ConversionKind kind) {
  if (kind == builder::ConversionKind::kSourceFile)
    return OptionsForPhoneListsOnly(parsed, "исходный файл (.fsr)");
  if (kind == builder::ConversionKind::kPackedDatabase) {
    for (const char* option : {"encoding", "keep-db"}) {
      if (parsed.Has(option))
        return Status::Refusal("--" + std::string(option) +
                               " не относится к готовой базе данных (.db)");
    }
    return OptionsForPhoneListsOnly(parsed, "готовая база данных (.db)");
  }
  return Status::Ok();
}

}  // namespace

int ShowConversionFailure(Console& console, std::string_view input,
                          const builder::ConversionResult& failure) {
  if (!failure.message().empty()) {
    console.Error(input, failure.fault_line > 0 ? LineMessage(failure.fault_line, failure.message())
                                                : failure.message());
  } else if (failure.general_follows) {
    console.Error(input, builder::kConversionFailed);
  }
  switch (failure.kind()) {
    case StatusKind::kOk:
      return kExitOk;
    case StatusKind::kRefusal:
      return kExitUsage;
    case StatusKind::kNoInput:
      return kExitUnreadable;
    case StatusKind::kNoOutput:
      return kExitUnwritable;
    case StatusKind::kError:
      break;
  }
  return kExitRefused;
}

int RunBuildCommand(const std::vector<std::string>& args) {
  int status = kExitOk;
  const auto parsed = ParseCommandLine(kBuildCommand, args, std::cout, std::cerr, status);
  if (!parsed) return status;
  if (Status design = DesignOptionsNeedDesign(*parsed); !design.ok())
    return UsageError("build", design.message(), std::cerr);
  if (parsed->Has("design")) return RunDesignedBuild(*parsed);
  const std::string& input = parsed->operands[0];
  StatusOr<InputOptions> read = ReadInputOptions(*parsed);
  if (!read.ok()) return UsageError("build", read.status().message(), std::cerr);
  PhoneOptions& phone = read->phone;
  const std::optional<codepage::TextEncoding> encoding = read->encoding;
  if (parsed->Has("force") && !parsed->Has("keep-db"))
    return UsageError("build", "--force задаётся только вместе с --keep-db", std::cerr);
  const auto names = builder::NameConversion(input);
  if (const Status apply = names ? CheckOptionsApply(*parsed, names->kind) : Status::Ok();
      !apply.ok())
    return UsageError("build", apply.message(), std::cerr);

  // A kept database that exists is the data refused, as every existing output is.
  if (names && parsed->Has("keep-db")) {
    status = CheckOutputFile("build", input, names->intermediate, parsed->Has("force"),
                             "база данных совпадает с входным файлом", std::cerr);
    if (status != kExitOk) return status;
  }
  Console console("build", {parsed->Has("quiet"), parsed->Has("progress")});
  if (const Status readable = CheckReadable(input); !readable.ok()) {
    console.Error(input, readable.message());
    return kExitUnreadable;
  }
  // Without a name the conversion refuses at once: no digits to take then.
  if (names && names->kind == builder::ConversionKind::kPhoneBook && !phone.name.empty() &&
      !TakeDigitsFromFirstLine(input, input, encoding, phone, console)) {
    return kExitRefused;
  }

  builder::ConversionRequest request;
  request.path = input;
  request.name = phone.name;
  request.splitter = phone.splitter;
  request.digits = phone.digits;
  request.keep_intermediate = parsed->Has("keep-db");
  request.replace_kept = parsed->Has("force");
  request.encoding = encoding;
  ConsoleReporter reporter(console, input);
  const builder::ConversionResult converted = builder::RunConversion(request, reporter);
  if (!converted.ok()) return ShowConversionFailure(console, input, converted);
  console.Result(
      (request.keep_intermediate ? "Записан файл " + names->intermediate + "\n" : std::string()) +
      "Записан файл " + names->target + "\n");
  return kExitOk;
}

}  // namespace cli
