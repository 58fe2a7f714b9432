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
#include "designer/model/designer_view.h"
#include "designer/model/document.h"
#include "designer/model/source_file.h"

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
  std::string splitter = ";";
  bool header = false;
  bool cut_long_lines = true;
  bool replace = false;                            // --force: an existing output may be replaced
  std::optional<codepage::TextEncoding> encoding;  // none: detected
};

// The designer's control values as given on the command line; its status texts and progress as
// the console's progress.
class CommandLineView : public designer::DesignerView {
 public:
  CommandLineView(const ImportOptions& options, Console& console)
      : options_(options), console_(console) {}

  std::string DatabaseName() const override { return options_.name; }
  void SetDatabaseName(const std::string&) override {}
  std::string Splitter() const override { return options_.splitter; }
  void SetSplitter(const std::string&) override {}
  bool CutLongLines() const override { return options_.cut_long_lines; }
  void SetCutLongLines(bool) override {}
  void SetStatusText(int, const std::string& text, bool repaint_now) override {
    if (repaint_now) console_.Progress("Прочитано записей: " + text);
  }
  void ShowProgress(int maximum) override { maximum_ = maximum; }
  // Called for every data line the writer copies: a text is made only every thousand of them.
  void SetProgress(int position) override {
    if (position % 1000 != 0 && position != maximum_) return;
    console_.Progress("Записано строк: " + std::to_string(position) + " из " +
                      std::to_string(maximum_));
  }
  void HideProgress() override {}
  bool AskYesNo(const std::string&) override { return options_.header; }
  void ShowMessage(const std::string& text) override { console_.Error(options_.csv_path, text); }
  void DocumentLoaded() override {}

 private:
  const ImportOptions& options_;
  Console& console_;
  int maximum_ = 0;
};

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

// Fills `options` from `parsed`; on a command line it cannot take, sets `error`.
bool ReadImportOptions(const ParsedArguments& parsed, ImportOptions& options, std::string& error) {
  options.csv_path = parsed.operands[0];
  options.header = parsed.Has("header");
  options.cut_long_lines = !parsed.Has("no-cut");
  options.replace = parsed.Has("force");

  const std::optional<std::string> name_utf8 = parsed.Value("name");
  if (!name_utf8) {
    error = "нужен параметр --name";
    return false;
  }
  std::string name;
  if (Status read = OptionToCp1251(*name_utf8, "name", name); !read.ok()) {
    error = read.message();
    return false;
  }
  // A line break would split the name's header line and shift every later value; a leading ";"
  // makes both readers take the name for a comment.
  if (name.empty() || HasLineBreak(name) || name[0] == ';') {
    error = "--name: не пустое, без переводов строки и не начинается с \";\"";
    return false;
  }
  options.name = name;

  if (const auto splitter_utf8 = parsed.Value("splitter")) {
    std::string splitter;
    if (Status read = OptionToCp1251(*splitter_utf8, "splitter", splitter); !read.ok()) {
      error = read.message();
      return false;
    }
    // An empty splitter would be written as "''", which every reader takes as the splitter "'".
    if (splitter.size() != 1 || HasLineBreak(splitter)) {
      error = "--splitter: ровно один символ, не перевод строки";
      return false;
    }
    options.splitter = splitter;
  }

  if (Status read = ReadEncodingOption(parsed, options.encoding); !read.ok()) {
    error = read.message();
    return false;
  }

  options.output_path = parsed.Value("output").value_or("");
  if (options.output_path.empty()) {
    options.output_path =
        std::filesystem::path(options.csv_path).replace_extension(".fsr").string();
  }
  return true;
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
  std::string error;
  if (!ReadImportOptions(*parsed, options, error)) return UsageError("import", error, err);
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
  CommandLineView view(options, console);
  designer::Document doc;
  Status loaded = designer::LoadCSV(doc, options.csv_path, view, options.encoding);
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
  const Status saved = designer::SaveFSR(doc, options.output_path, view);
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
