#include "cli/import_command.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>

#include "cli/console.h"
#include "cli/design_option.h"
#include "cli/exit_codes.h"
#include "cli/readable_input.h"
#include "common/codepage.h"
#include "common/replacement_file.h"
#include "designer/model/csv_detect.h"
#include "designer/model/design_reuse.h"
#include "designer/model/document.h"
#include "designer/model/document_io.h"
#include "designer/model/header_values.h"
#include "designer/model/source_file.h"
#include "designer/model/table_source.h"
#include "designer/model/table_warnings.h"
#include "format/source_grammar.h"
#include "format/source_lines.h"

namespace cli {

const CommandSpec kImportCommand = {
    "import",
    "ТАБЛИЦА",
    "сделать исходный файл справочника (.fsr) из файла CSV или таблицы",
    "Делает из файла CSV или таблицы (.xlsx, .ods, .xls, .dbf) исходный файл справочника,\n"
    "как конструктор: поля и их типы определяются по записям, данные копируются в\n"
    "Windows-1251. Без -o исходный файл ложится рядом с входным с расширением .fsr. Файл\n"
    "CSV может быть в Windows-1251, UTF-8 или UTF-16. Что исходный файл потеряет (строки с\n"
    "другим числом полей, длинные строки, символы не из Windows-1251, ячейки с ошибкой),\n"
    "сообщается в stderr с номером первой такой строки. Ячейки таблицы и прочитанные с\n"
    "--quote значения пишутся целиком через разделитель, которого нет ни в одном значении\n"
    "(первый из «;», «,», табуляции и «|»).\n"
    "С --design справочник получает оформление готового исходного файла (название, поля,\n"
    "их флаги, порядок и ширины), а данные - из таблицы; поля находятся по названиям из\n"
    "первой строки (--header) или по порядку столбцов.",
    {{"name", 0, "ИМЯ", "название справочника (обязательно без --design)"},
     kDesignOption,
     kAsTextOption,
     {"splitter", 0, "С", "разделитель полей: символ, tab или auto (по умолчанию ;)"},
     {"quote", 0, "КАВЫЧКИ",
      "\" (значения в кавычках, как пишет RFC 4180) или none (по умолчанию)"},
     {"sheet", 0, "ЛИСТ", "лист таблицы: название или номер с 1 (по умолчанию первый видимый)"},
     {"skip", 0, "N", "пропустить N строк в начале файла (по умолчанию 0)"},
     {"header", 0, "", "первая строка содержит названия полей"},
     {"no-cut", 0, "", "не обрезать строки длиннее 250 символов"},
     kEncodingOption,
     {"output", 'o', "ФАЙЛ", "записать исходный файл в ФАЙЛ (\"-\": в стандартный вывод)"},
     kForceOption,
     kQuietOption,
     kProgressOption},
};

namespace {

// A workbook is read by its sheet, and a text file by its splitter, quotes and encoding: the
// options of the other kind are refused.
Status ReadWorkbookOptions(const ParsedArguments& parsed, ImportOptions& options) {
  options.workbook = designer::IsWorkbookPath(options.csv_path);
  options.sheet = parsed.Value("sheet").value_or("");
  if (!options.workbook && parsed.Has("sheet"))
    return Status::Refusal("--sheet: только для таблиц .xlsx, .ods, .xls и .dbf");
  if (options.workbook) {
    for (const char* text_option : {"splitter", "quote", "encoding"}) {
      if (parsed.Has(text_option))
        return Status::Refusal("--" + std::string(text_option) +
                               ": только для файлов CSV, не для таблиц");
    }
  }
  return Status::Ok();
}

// --name, which a design brings along instead.
Status ReadNameOption(const ParsedArguments& parsed, ImportOptions& options) {
  const std::optional<std::string> name_utf8 = parsed.Value("name");
  if (!options.design_path.empty()) {
    if (!name_utf8) return Status::Ok();
    return Status::Refusal("--name не задаётся вместе с --design: название берётся из оформления");
  }
  if (!name_utf8) return Status::Refusal("нужен параметр --name");
  const StatusOr<std::string> read = OptionToCp1251(*name_utf8, "name");
  if (!read.ok()) return read.status();
  const std::string& name = read.value();
  // A name that would break its header line (header_values.h) is a usage error here already.
  if (name.empty() || designer::HasLineBreak(name) || format::IsCommentLine(name)) {
    return Status::Refusal("--name: не пустое, без переводов строки и не начинается с \";\"");
  }
  options.name = name;
  return Status::Ok();
}

}  // namespace

StatusOr<ImportOptions> ReadImportOptions(const ParsedArguments& parsed) {
  ImportOptions options;
  options.csv_path = parsed.operands[0];
  options.header = parsed.Has("header");
  options.design_path = parsed.Value("design").value_or("");
  options.as_text = parsed.Has("as-text");
  if (options.as_text && options.design_path.empty())
    return Status::Refusal("--as-text задаётся только вместе с --design");
  options.cut_long_lines = !parsed.Has("no-cut");
  options.replace = parsed.Has("force");
  if (Status read = ReadNameOption(parsed, options); !read.ok()) return read;

  if (const auto splitter_utf8 = parsed.Value("splitter")) {
    if (*splitter_utf8 == "auto") {
      options.detect_splitter = true;
    } else {
      StatusOr<std::string> splitter = SplitterToCp1251(*splitter_utf8);
      if (!splitter.ok()) return splitter.status();
      // One byte that keeps its header line whole; the writer refuses the other control bytes.
      if (designer::HasLineBreak(splitter.value()))
        return Status::Refusal("--splitter: ровно один символ, tab или auto, не перевод строки");
      options.splitter = std::move(splitter).value();
    }
  }
  if (const auto quote = parsed.Value("quote")) {
    if (*quote != "\"" && *quote != "none") return Status::Refusal("--quote: \" или none");
    options.quoted = *quote == "\"";
  }
  if (const auto skip = parsed.Value("skip")) {
    const auto [end, error] =
        std::from_chars(skip->data(), skip->data() + skip->size(), options.skip_lines);
    if (skip->empty() || error != std::errc() || end != skip->data() + skip->size() ||
        options.skip_lines < 0) {
      return Status::Refusal("--skip: число строк от 0");
    }
  }

  const StatusOr<std::optional<codepage::TextEncoding>> encoding = ReadEncodingOption(parsed);
  if (!encoding.ok()) return encoding.status();
  options.encoding = encoding.value();
  if (Status read = ReadWorkbookOptions(parsed, options); !read.ok()) return read;

  options.output_path = parsed.Value("output").value_or("");
  if (options.output_path.empty()) {
    options.output_path =
        std::filesystem::path(options.csv_path).replace_extension(".fsr").string();
  }
  return options;
}

namespace {

std::string Bytes(int count) {
  return std::to_string(count) + (count == 1 ? " байт" : count < 5 ? " байта" : " байт");
}

// The name --encoding gives `encoding`.
const char* EncodingName(codepage::TextEncoding encoding) {
  switch (encoding) {
    case codepage::TextEncoding::kUtf8:
      return "utf-8";
    case codepage::TextEncoding::kUtf16:
      return "utf-16";
    case codepage::TextEncoding::kCp1251:
      break;
  }
  return "cp1251";
}

// How --splitter names `splitter`.
std::string SplitterOption(const std::string& splitter) {
  return splitter == "\t" ? "tab" : codepage::Cp1251ToUtf8(splitter);
}

std::string Summary(const ImportedFile& imported, const ImportOptions& options) {
  const designer::Document& doc = imported.doc;
  const std::string& written_splitter = imported.splitter;
  std::string text;
  if (!options.design_path.empty()) {
    text += "оформление из " + options.design_path + ":\n";
    for (const std::string& line : imported.match) text += "  " + line + "\n";
  }
  if (options.workbook) {
    text += "лист: «" + doc.SourceSheet + "»; в исходном файле значения ячеек разделяет " +
            format::SplitterForMessage(written_splitter[0]) + "\n";
  } else {
    text += "кодировка: ";
    text += EncodingName(doc.SourceEncoding);
    text += options.encoding ? " (задана)\n" : " (определена)\n";
  }
  if (doc.SourceQuoted) {
    text += "значения в кавычках; в исходном файле их разделяет " +
            format::SplitterForMessage(written_splitter[0]) + "\n";
  }
  text += "полей: " + std::to_string(doc.FieldCount) + "\n";
  for (int i = 1; i <= doc.FieldCount; ++i) {
    const designer::TFieldDesc& field = doc.Fields[i];
    text += "  " + std::to_string(i) + " «" + codepage::Cp1251ToUtf8(field.Name) + "»: ";
    text += field.DataType == designer::kTypeNumeric ? "число, " + Bytes(field.NumSize) : "текст";
    text += ", самое длинное значение " + std::to_string(field.MaxLen) + "\n";
  }
  text += "записей: " + std::to_string(imported.records) + "\n";
  text += "Записан файл " + options.output_path +
          " (строк данных: " + std::to_string(doc.RecordCount) + ")\n";
  return text;
}

// The import as the designer makes it, with the answer and the values of the command line; the
// running counts go to the console's progress.
designer::ReadOptions ReadingOf(const ImportOptions& options, Console& console) {
  return {options.splitter,
          options.encoding,
          [&options](const std::string&) { return options.header; },
          [&console](int records) {
            console.Progress("Прочитано записей: " + std::to_string(records));
          },
          options.quoted,
          options.skip_lines,
          options.sheet};
}

// The save writes the data lines split at `splitter`: the one read with, or for values read with
// quotes one that no value holds.
designer::SaveOptions SavingOf(const ImportOptions& options, const std::string& splitter,
                               Console& console) {
  return {options.name, splitter, options.cut_long_lines,
          // Called for every data line written: a text is made only every thousand of them.
          [&console](std::int64_t written, std::int64_t expected) {
            if (written % 1000 != 0 && written != expected) return;
            console.Progress("Записано строк: " + std::to_string(written) + " из " +
                             std::to_string(expected));
          }};
}

// A Tab inside a name of the first line means the file is split by Tabs, not by the splitter:
// the advice is better than the refusal of a control character in the name.
Status CheckNamesAreSplit(const designer::Document& doc, const ImportOptions& options) {
  if (options.splitter == "\t" || options.workbook) return Status::Ok();
  for (int i = 1; i <= doc.FieldCount; ++i) {
    if (doc.Fields[i].Name.find('\t') != std::string::npos) {
      return Status::Refusal("в названии поля " + std::to_string(i) +
                             " есть табуляция: похоже, поля разделены ею; задайте --splitter tab");
    }
  }
  return Status::Ok();
}

// Compares the options with what the file's first lines suggest (csv_detect.h): with
// --splitter auto the splitter is the one found (";" when none is); otherwise, when the file's
// splitter or quotes look different, one note says which options to give. Fails only as reading
// the file fails. `readable_path` holds the input (a pipe's copy, say).
Status CompareWithTheFile(const std::string& readable_path, ImportOptions& options,
                          Console& console) {
  const StatusOr<designer::CsvGuess> guessed = designer::GuessCsvFile(
      readable_path, options.encoding, options.detect_splitter ? ";" : options.splitter);
  if (!guessed.ok()) return guessed.status();
  const designer::CsvGuess& guess = guessed.value();
  if (options.detect_splitter) options.splitter = guess.splitter.value_or(";");
  std::string seen;    // what the file looks like
  std::string advice;  // the options that read it so
  if (guess.splitter && *guess.splitter != options.splitter) {
    seen = "поля разделяет " + format::SplitterForMessage((*guess.splitter)[0]);
    advice = " --splitter " + SplitterOption(*guess.splitter);
  }
  if (guess.quoted && !options.quoted) {
    seen += (seen.empty() ? "" : " и ") + std::string("значения стоят в кавычках");
    advice += " --quote '\"'";
  }
  if (seen.empty()) return Status::Ok();
  const std::string note = "похоже, в файле " + seen + "; укажите" + advice;
  console.Note(options.csv_path, note);
  return Status::Ok();
}

// An empty file holds no text: the designer would make one empty record of it.
bool IsEmptyFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) &&
         std::filesystem::file_size(path, error) == 0;
}

// A text file is refused when empty, and compared with the options (CompareWithTheFile); a
// workbook's reader says itself what it cannot read.
Status CheckTextFile(const std::string& readable_path, ImportOptions& options, Console& console) {
  if (options.workbook) return Status::Ok();
  if (IsEmptyFile(readable_path)) return Status::Refusal("не является текстовым файлом: файл пуст");
  return CompareWithTheFile(readable_path, options, console);
}

}  // namespace

int ImportToSourceFile(const ImportOptions& options, Console& console, ImportedFile& imported) {
  ImportOptions reading = options;  // --splitter auto takes the one found
  // Read twice: the encoding and the fields are detected first.
  SpooledInput csv;
  if (const Status opened = csv.Open(options.csv_path); !opened.ok()) {
    console.Error(options.csv_path, opened.message());
    return kExitUnreadable;
  }
  if (Status checked = CheckTextFile(csv.path(), reading, console); !checked.ok()) {
    console.Error(options.csv_path, csv.Shown(checked.message(), options.csv_path));
    return checked.refusal() ? kExitRefused : kExitUnreadable;
  }
  designer::Document& doc = imported.doc;
  designer::ReadResult for_the_window;  // status texts and values a window would show
  Status loaded =
      designer::ReadTableDocument(csv.path(), ReadingOf(reading, console), doc, for_the_window);
  if (!loaded.ok()) {
    console.Error(options.csv_path, csv.Shown(loaded.message(), options.csv_path));
    return loaded.refusal() ? kExitRefused : kExitUnreadable;
  }
  if (const Status split = CheckNamesAreSplit(doc, reading); !split.ok()) {
    console.Error(options.csv_path, split.message());
    return kExitRefused;
  }
  for (const designer::WarningLine& warning :
       designer::DescribeWarnings(*for_the_window.warnings, options.cut_long_lines)) {
    std::string text = warning.first_line == 0
                           ? warning.text
                           : "строка " + std::to_string(warning.first_line) + ": " + warning.text;
    if (warning.count > 1) text += " (всего таких строк: " + std::to_string(warning.count) + ")";
    console.Note(options.csv_path, text);
  }
  imported.records = doc.RecordCount;
  imported.splitter = for_the_window.splitter.value_or(reading.splitter);
  if (!options.design_path.empty()) {
    const int applied = ApplyDesignOption(options.design_path, options.csv_path, options.as_text,
                                          console, doc, reading.name, imported.match);
    if (applied != kExitOk) return applied;
  }
  const Status saved =
      designer::SaveFSR(doc, options.output_path, SavingOf(reading, imported.splitter, console));
  if (!saved.ok()) {
    console.Error(options.csv_path, csv.Shown(saved.message(), options.csv_path));
    return saved.refusal() ? kExitRefused : kExitUnwritable;
  }
  return kExitOk;
}

int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int status = kExitOk;
  const auto parsed = ParseCommandLine(kImportCommand, args, out, err, status);
  if (!parsed) return status;
  StatusOr<ImportOptions> read = ReadImportOptions(*parsed);
  if (!read.ok()) return UsageError("import", read.status().message(), err);
  ImportOptions& options = read.value();
  const bool to_standard_output = options.output_path == "-";
  status = CheckOutputFile("import", options.csv_path, options.output_path, options.replace,
                           "исходный файл заменил бы файл CSV, из которого он делается", err);
  if (status == kExitOk && !options.design_path.empty()) {
    status = CheckOutputFile("import", options.design_path, options.output_path, true,
                             "исходный файл заменил бы файл оформления", err);
  }
  if (status != kExitOk) return status;

  Console console("import", {parsed->Has("quiet"), parsed->Has("progress")}, out, err);
  // Standard output gets the source file once it is whole, from a file of its own.
  TemporaryFile whole;
  if (to_standard_output) {
    std::error_code no_folder;
    if (const Status created = whole.Create(
            std::filesystem::temp_directory_path(no_folder).string(), "bwick-import.fsr");
        !created.ok()) {
      console.Error("-", created.message());
      return kExitUnwritable;
    }
    options.output_path = whole.path();
  }
  ImportedFile imported;
  status = ImportToSourceFile(options, console, imported);
  if (status != kExitOk) return status;
  if (to_standard_output) {
    std::ifstream written(whole.path(), std::ios::binary);
    out << written.rdbuf();
    return console.FinishProduct() ? kExitOk : kExitUnwritable;
  }
  console.Result(Summary(imported, options));
  return kExitOk;
}

int RunImportCommand(const std::vector<std::string>& args) {
  return RunImportCommand(args, std::cout, std::cerr);
}

}  // namespace cli
