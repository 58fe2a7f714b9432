#include "cli/import_command.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>

#include "cli/console.h"
#include "cli/exit_codes.h"
#include "common/codepage.h"
#include "common/replacement_file.h"
#include "common/same_file.h"
#include "designer/model/csv_import.h"
#include "designer/model/document.h"
#include "designer/model/document_io.h"
#include "designer/model/header_values.h"
#include "designer/model/source_file.h"
#include "format/source_grammar.h"

namespace cli {

const CommandSpec kImportCommand = {
    "import",
    "CSV",
    "сделать исходный файл справочника (.fsr) из файла CSV",
    "Делает из файла CSV исходный файл справочника, как конструктор: поля и их типы\n"
    "определяются по записям, данные копируются в Windows-1251. Без -o исходный файл\n"
    "ложится рядом с CSV с расширением .fsr. Файл CSV может быть в Windows-1251 или в UTF-8.",
    {{"name", 0, "ИМЯ", "название справочника (обязательно)"},
     {"splitter", 0, "С", "разделитель полей (по умолчанию ;)"},
     {"header", 0, "", "первая строка содержит названия полей"},
     {"no-cut", 0, "", "не обрезать строки длиннее 250 символов"},
     kEncodingOption,
     {"output", 'o', "ФАЙЛ", "записать исходный файл в ФАЙЛ (\"-\": в стандартный вывод)"},
     kForceOption,
     kQuietOption,
     kProgressOption},
};

namespace {

struct ImportOptions {
  std::string csv_path;
  std::string output_path;  // "-": standard output
  std::string name;         // Windows-1251
  std::string splitter = std::string(1, format::kDefaultSplitter);
  bool header = false;
  bool cut_long_lines = true;
  bool replace = false;                            // --force: an existing output may be replaced
  std::optional<codepage::TextEncoding> encoding;  // none: detected
};

// Fills `options` from `parsed`; a refusal that says what is wrong with the command line.
Status ReadImportOptions(const ParsedArguments& parsed, ImportOptions& options) {
  options.csv_path = parsed.operands[0];
  options.header = parsed.Has("header");
  options.cut_long_lines = !parsed.Has("no-cut");
  options.replace = parsed.Has("force");

  const std::optional<std::string> name_utf8 = parsed.Value("name");
  if (!name_utf8) return Status::Refusal("нужен параметр --name");
  std::string name;
  if (Status read = OptionToCp1251(*name_utf8, "name", name); !read.ok()) return read;
  // A name that would break its header line (header_values.h) is a usage error here already.
  if (name.empty() || designer::HasLineBreak(name) || format::IsCommentLine(name)) {
    return Status::Refusal("--name: не пустое, без переводов строки и не начинается с \";\"");
  }
  options.name = name;

  if (const auto splitter_utf8 = parsed.Value("splitter")) {
    std::string splitter;
    if (Status read = OptionToCp1251(*splitter_utf8, "splitter", splitter); !read.ok()) return read;
    // One byte that keeps its header line whole; the writer refuses the other control characters.
    if (splitter.size() != 1 || designer::HasLineBreak(splitter)) {
      return Status::Refusal("--splitter: ровно один символ, не перевод строки");
    }
    options.splitter = splitter;
  }

  if (Status read = ReadEncodingOption(parsed, options.encoding); !read.ok()) return read;

  options.output_path = parsed.Value("output").value_or("");
  if (options.output_path.empty()) {
    options.output_path =
        std::filesystem::path(options.csv_path).replace_extension(".fsr").string();
  }
  return Status::Ok();
}

std::string Bytes(int count) {
  return std::to_string(count) + (count == 1 ? " байт" : count < 5 ? " байта" : " байт");
}

std::string Summary(const designer::Document& doc, std::int32_t imported_records,
                    const ImportOptions& options) {
  std::string text = "кодировка: ";
  text += doc.SourceEncoding == codepage::TextEncoding::kUtf8 ? "utf-8" : "cp1251";
  text += options.encoding ? " (задана)\n" : " (определена)\n";
  text += "полей: " + std::to_string(doc.FieldCount) + "\n";
  for (int i = 1; i <= doc.FieldCount; ++i) {
    const designer::TFieldDesc& field = doc.Fields[i];
    text += "  " + std::to_string(i) + " «" + codepage::Cp1251ToUtf8(field.Name) + "»: ";
    text += field.DataType == designer::kTypeNumeric ? "число, " + Bytes(field.NumSize) : "текст";
    text += ", самое длинное значение " + std::to_string(field.MaxLen) + "\n";
  }
  text += "записей: " + std::to_string(imported_records) + "\n";
  text += "Записан файл " + options.output_path +
          " (строк данных: " + std::to_string(doc.RecordCount) + ")\n";
  return text;
}

// The import as the designer makes it, with the answer and the values of the command line; the
// running counts go to the console's progress.
designer::ReadOptions ReadingOf(const ImportOptions& options, Console& console) {
  return {options.splitter, options.encoding,
          [&options](const std::string&) { return options.header; },
          [&console](int records) {
            console.Progress("Прочитано записей: " + std::to_string(records));
          }};
}

designer::SaveOptions SavingOf(const ImportOptions& options, Console& console) {
  return {options.name, options.splitter, options.cut_long_lines,
          // Called for every data line written: a text is made only every thousand of them.
          [&console](std::int64_t written, std::int64_t expected) {
            if (written % 1000 != 0 && written != expected) return;
            console.Progress("Записано строк: " + std::to_string(written) + " из " +
                             std::to_string(expected));
          }};
}

// An empty file holds no text: the designer would make one empty record of it.
bool IsEmptyFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) &&
         std::filesystem::file_size(path, error) == 0;
}

}  // namespace

int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int status = kExitOk;
  const auto parsed = ParseCommandLine(kImportCommand, args, out, err, status);
  if (!parsed) return status;
  ImportOptions options;
  if (Status read = ReadImportOptions(*parsed, options); !read.ok())
    return UsageError("import", read.message(), err);
  const bool to_standard_output = options.output_path == "-";
  if (!to_standard_output && SameFile(options.csv_path, options.output_path))
    return UsageError("import", "исходный файл заменил бы файл CSV, из которого он делается", err);
  std::error_code no_file;
  if (!to_standard_output && !options.replace &&
      std::filesystem::exists(std::filesystem::symlink_status(options.output_path, no_file))) {
    return UsageError("import", options.output_path + ": файл уже существует; --force заменяет его",
                      err);
  }

  Console console("import", {parsed->Has("quiet"), parsed->Has("progress")}, out, err);
  if (IsEmptyFile(options.csv_path)) {
    console.Error(options.csv_path, "не является текстовым файлом: файл пуст");
    return kExitFailed;
  }
  designer::Document doc;
  designer::ReadResult for_the_window;  // status texts and values a window would show
  Status loaded =
      designer::LoadCSV(doc, options.csv_path, ReadingOf(options, console), for_the_window);
  if (!loaded.ok()) {
    console.Error(options.csv_path, loaded.message());
    return loaded.refusal() ? kExitFailed : kExitUnreadable;
  }
  const std::int32_t imported_records = doc.RecordCount;
  // Standard output gets the source file once it is whole, from a file of its own.
  TemporaryFile whole;
  if (to_standard_output) {
    std::error_code no_folder;
    if (const Status created = whole.Create(
            std::filesystem::temp_directory_path(no_folder).string(), "bwick-import.fsr");
        !created.ok()) {
      console.Error("-", created.message());
      return kExitFailed;
    }
    options.output_path = whole.path();
  }
  const Status saved = designer::SaveFSR(doc, options.output_path, SavingOf(options, console));
  if (!saved.ok()) {
    console.Error(options.csv_path, saved.message());
    return kExitFailed;
  }
  if (to_standard_output) {
    std::ifstream written(whole.path(), std::ios::binary);
    out << written.rdbuf();
    return console.FinishProduct() ? kExitOk : kExitFailed;
  }
  console.Result(Summary(doc, imported_records, options));
  return kExitOk;
}

int RunImportCommand(const std::vector<std::string>& args) {
  return RunImportCommand(args, std::cout, std::cerr);
}

}  // namespace cli
