#include "cli/export_command.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>

#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/readable_input.h"
#include "common/byte_source.h"
#include "common/codepage.h"
#include "common/file_extension.h"
#include "common/replacement_file.h"
#include "designer/model/database_source.h"
#include "designer/model/source_file.h"
#include "format/database_reader.h"
#include "format/source_lines.h"

namespace cli {

const CommandSpec kExportCommand = {
    "export",
    "КНИГА",
    "выгрузить справочник (.fdb, .zdb, .db) в исходный файл (.fsr) или в CSV",
    "Выгружает справочник, который пишет build, обратно: в исходный файл, из которого build\n"
    "соберёт ту же базу, или в файл CSV для электронной таблицы; в первой строке CSV - названия\n"
    "полей. Что писать, говорит расширение ВЫХОДА; без -o - файл .csv рядом с КНИГОЙ, \"-o -\"\n"
    "пишет CSV в стандартный вывод. \"-\" вместо КНИГИ читает стандартный ввод. Без --splitter\n"
    "разделитель - первый из «;», «,», табуляции и «|», которого нет ни в одном названии и\n"
    "значении.",
    {{"output", 'o', "ВЫХОД", "записать в ВЫХОД (.fsr или .csv; \"-\": CSV в стандартный вывод)"},
     {"splitter", 0, "С", "разделитель полей"},
     {"encoding", 0, "КОДИРОВКА", "кодировка CSV: cp1251 (по умолчанию) или utf-8"},
     kForceOption,
     kQuietOption},
};

namespace {

enum class OutputKind { kSourceFile, kCsv };

constexpr char kEndOfText = 26;  // Ctrl+Z

struct ExportOptions {
  std::string book;       // as given, for messages
  std::string read_from;  // where its bytes are: the book, or its copy from a pipe
  std::string output;
  OutputKind kind = OutputKind::kCsv;
  std::optional<char> splitter;  // Windows-1251
  codepage::TextEncoding encoding = codepage::TextEncoding::kCp1251;
  bool replace = false;  // --force: an existing output may be replaced
};

// What an export tells when it is done.
struct ExportSummary {
  std::int64_t records = 0;
  char splitter = 0;
};

StatusOr<ExportOptions> ReadExportOptions(const ParsedArguments& parsed) {
  ExportOptions options;
  options.book = parsed.operands[0];
  options.replace = parsed.Has("force");
  options.output = parsed.Value("output").value_or("");
  if (options.output.empty() && options.book == "-")
    return Status::Refusal("стандартный ввод не даёт имени выходному файлу: задайте -o");
  if (options.output.empty())
    options.output = std::filesystem::path(options.book).replace_extension(".csv").string();
  if (HasExtension(options.output, ".fsr")) {
    options.kind = OutputKind::kSourceFile;
  } else if (options.output != "-" && !HasExtension(options.output, ".csv")) {
    return Status::Refusal("-o: файл .fsr (исходный файл) или .csv");
  }
  if (const auto splitter_utf8 = parsed.Value("splitter")) {
    const StatusOr<std::string> read = OptionToCp1251(*splitter_utf8, "splitter");
    if (!read.ok()) return read.status();
    const std::string& splitter = read.value();
    // A line break would end the line, and the builder ends a value at any control character.
    const bool control = splitter.size() == 1 && static_cast<unsigned char>(splitter[0]) < ' ';
    if (splitter.size() != 1 || (control && splitter[0] != '\t'))
      return Status::Refusal("--splitter: ровно один символ, из управляющих только табуляция");
    options.splitter = splitter[0];
  }
  const StatusOr<std::optional<codepage::TextEncoding>> read = ReadEncodingOption(parsed);
  if (!read.ok()) return read.status();
  if (const std::optional<codepage::TextEncoding> encoding = read.value()) {
    if (*encoding == codepage::TextEncoding::kUtf16)
      return Status::Refusal("--encoding: CSV пишется в cp1251 или utf-8");
    if (options.kind == OutputKind::kSourceFile && *encoding != codepage::TextEncoding::kCp1251)
      return Status::Refusal("--encoding: исходный файл всегда в кодировке Windows-1251");
    options.encoding = *encoding;
  }
  return options;
}

// A reader of the book from its start.
struct OpenBook {
  explicit OpenBook(const std::string& path) : source(path), reader(source) {}
  FileSource source;
  format::DatabaseReader reader;
};

// Writes the file at `path` through `write`; it takes the place of an older one only when whole.
// A failure of the file itself is no output; `write`'s own failures come back as they are, and so
// do those of `check`, which looks at the complete file before it takes its place.
Status WriteReplacing(const std::string& path,
                      const std::function<Status(designer::LineWriter&)>& write,
                      const std::function<Status(const std::string& written)>& check = nullptr) {
  ReplacementFile target(path);
  designer::LineWriter out;
  if (Status created = out.Create(target); !created.ok())
    return Status::NoOutput(created.message());
  const Status status = write(out);
  if (const Status closed = out.Close(); !closed.ok()) return Status::NoOutput(closed.message());
  if (!status.ok()) return status;
  if (check) {
    if (Status checked = check(target.path()); !checked.ok()) return checked;
  }
  if (const Status committed = target.Commit(); !committed.ok()) {
    return Status::NoOutput("Не удалось заменить файл «" + designer::PathForMessage(path) +
                            "»: " + committed.message());
  }
  return Status::Ok();
}

// The splitters an export tries in turn: the given one, or the candidates in their order.
std::vector<char> SplittersToTry(std::optional<char> given) {
  if (given) return {*given};
  return {format::kSplitterChoices.begin(), format::kSplitterChoices.end()};
}

// Writes the output with the first of `splitters` that no value holds, and returns it: `write`
// stops and sets `met` at a value that holds the splitter it was given, and the next one is tried,
// so a book whose values hold none of them is read once. A given splitter is tried alone, and a
// value that holds it refuses the export.
StatusOr<char> WriteWithFreeSplitter(const std::vector<char>& splitters,
                                     const std::function<Status(char splitter, bool& met)>& write) {
  for (const char splitter : splitters) {
    bool met = false;
    const Status status = write(splitter, met);
    if (!met || splitters.size() == 1) {
      if (!status.ok()) return status;
      return splitter;
    }
  }
  return Status::Refusal(
      "в названиях и значениях встречаются все разделители: «;», «,», табуляция и «|»; задайте "
      "другой через --splitter");
}

// The source file's header with the values of the database's.
designer::SourceFileHeader SourceHeaderOf(const format::DatabaseReader& reader) {
  const format::DbHeader& header = reader.header();
  designer::SourceFileHeader source_header;
  source_header.database_name = header.name;
  source_header.version = header.version;
  source_header.flags = header.flags;
  source_header.prefix_line_end = format::PrefixLineEnd(header);
  source_header.record_count = header.record_count;
  for (const format::DbFieldDesc& field : reader.fields())
    source_header.fields.push_back(designer::FieldFromDescriptor(field));
  return source_header;
}

StatusOr<ExportSummary> ExportSourceFile(const ExportOptions& options) {
  ExportSummary summary;
  OpenBook book(options.read_from);
  if (Status header = book.reader.ReadHeader(); !header.ok()) return header;
  if (book.reader.kind() == format::BookKind::kPhoneBook) {
    return Status::Refusal(
        "это телефонная книга; исходный файл из неё не получится, её можно выгрузить только в CSV");
  }
  if (Status carried = format::CheckSourceHeader(book.reader); !carried.ok()) return carried;
  designer::SourceFileHeader source_header = SourceHeaderOf(book.reader);
  const std::vector<std::uint16_t> max_sizes = designer::MaxSizes(book.reader.fields());
  std::vector<char> splitters = SplittersToTry(options.splitter);
  // A file of version 12 or less has no splitter line: the builder splits it at ";".
  if (source_header.version <= format::kLastVersionWithoutSplitter) {
    if (options.splitter && *options.splitter != format::kDefaultSplitter) {
      return Status::Refusal("справочник собран из исходного файла версии " +
                             std::to_string(source_header.version) +
                             ", в котором разделитель только «;»");
    }
    splitters = {format::kDefaultSplitter};
  }

  const auto write = [&](char splitter, bool& met) {
    OpenBook attempt(options.read_from);
    return WriteReplacing(
        options.output,
        [&](designer::LineWriter& out) {
          if (Status again = attempt.reader.ReadHeader(); !again.ok()) return again;
          source_header.splitter = splitter;
          designer::WriteSourceHeader(out, source_header);
          format::DataLineMaker maker(max_sizes, splitter, /*exact=*/true);
          const StatusOr<designer::CopiedLines> written =
              designer::WriteRecordLines(attempt.reader, maker, out, {false, true, nullptr});
          met = maker.splitter_met();
          if (!written.ok()) return written.status();
          summary.records = written->written;
          return Status::Ok();
        },
        [&options](const std::string& written) {
          return designer::CheckReadsAsWindows1251(written, options.output);
        });
  };
  const StatusOr<char> used = WriteWithFreeSplitter(splitters, write);
  if (!used.ok()) return used.status();
  summary.splitter = used.value();
  return summary;
}

// Lines of a CSV file: the texts joined by the splitter, in the output's encoding.
class CsvLines {
 public:
  CsvLines(char splitter, codepage::TextEncoding encoding)
      : splitter_(splitter), encoding_(encoding) {}

  // The line of `texts` (Windows-1251), or a refusal that names the text by `what` (a function
  // of its index) when the CSV cannot hold it as one value.
  StatusOr<std::string> Make(const std::vector<std::string>& texts,
                             const std::function<std::string(std::size_t)>& what) {
    std::string line;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      const std::string& text = texts[i];
      for (const char c : text) {
        // A line break would end the record there; the import ends a line's text at Ctrl+Z.
        if (c == '\r' || c == '\n' || c == kEndOfText)
          return Status::Refusal(what(i) + " содержит перевод строки или символ с кодом 26");
        if (c == splitter_) {
          splitter_met_ = true;
          return Status::Refusal(what(i) + " содержит разделитель " +
                                 format::SplitterForMessage(splitter_));
        }
      }
      if (i > 0) line.push_back(splitter_);
      line += text;
    }
    if (encoding_ == codepage::TextEncoding::kUtf8) return codepage::Cp1251ToUtf8(line);
    return line;
  }

  // Whether the last refusal was of a text that holds the splitter.
  bool splitter_met() const { return splitter_met_; }

 private:
  char splitter_;
  codepage::TextEncoding encoding_;
  bool splitter_met_ = false;
};

// The texts of a record: text values as they stand, numbers as decimal text.
void RecordTexts(const format::BookRecord& record, std::vector<std::string>& texts) {
  texts.resize(record.values.size());
  for (std::size_t i = 0; i < record.values.size(); ++i) {
    const format::StoredValue& value = record.values[i];
    if (value.numeric()) {
      texts[i] = format::NumberText(value.number, value.number_size);
    } else {
      texts[i].assign(value.text);
    }
  }
}

// Writes the CSV lines of the book `reader` has begun: its field names (a phone book has none),
// then its records; returns how many records.
StatusOr<std::int64_t> WriteCsv(format::DatabaseReader& reader, CsvLines& csv,
                                designer::LineWriter& out) {
  if (reader.kind() == format::BookKind::kTable) {
    std::vector<std::string> names;
    for (const format::DbFieldDesc& field : reader.fields()) names.push_back(field.name);
    const auto name = [](std::size_t i) { return "Название поля " + std::to_string(i + 1); };
    const StatusOr<std::string> line = csv.Make(names, name);
    if (!line.ok()) return line.status();
    out.WriteLine(line.value());
  }
  std::int64_t records = 0;
  format::BookRecord record;
  std::vector<std::string> texts;
  while (reader.NextRecord(record)) {
    RecordTexts(record, texts);
    const auto value = [&record](std::size_t i) {
      return "Запись " + std::to_string(record.number) + ", поле " + std::to_string(i + 1) +
             ": значение";
    };
    const StatusOr<std::string> line = csv.Make(texts, value);
    if (!line.ok()) return line.status();
    // An empty line of one empty value would be no record: the import trims the blank away.
    out.WriteLine(line->empty() ? " " : line.value());
    if (!out.status().ok()) return out.status();
    ++records;
  }
  if (!reader.status().ok()) return reader.status();
  return records;
}

StatusOr<ExportSummary> ExportCsv(const ExportOptions& options, Console& console) {
  {
    OpenBook book(options.read_from);
    if (Status header = book.reader.ReadHeader(); !header.ok()) return header;
    if (book.reader.kind() == format::BookKind::kPhoneBook) {
      console.Note(options.book,
                   "в телефонной книге нет номеров телефонов; выгружены четыре текстовых столбца");
    }
  }
  ExportSummary summary;
  const auto write = [&](char splitter, bool& met) {
    OpenBook attempt(options.read_from);
    CsvLines csv(splitter, options.encoding);
    const Status written = WriteReplacing(options.output, [&](designer::LineWriter& out) {
      if (Status again = attempt.reader.ReadHeader(); !again.ok()) return again;
      const StatusOr<std::int64_t> records = WriteCsv(attempt.reader, csv, out);
      if (!records.ok()) return records.status();
      summary.records = records.value();
      return Status::Ok();
    });
    met = csv.splitter_met();
    return written;
  };
  const StatusOr<char> used = WriteWithFreeSplitter(SplittersToTry(options.splitter), write);
  if (!used.ok()) return used.status();
  summary.splitter = used.value();
  return summary;
}

// The exit status of a failed export: what failed, the book, the output or the data.
int ExitStatusOf(const Status& status) {
  switch (status.kind()) {
    case StatusKind::kNoOutput:
      return kExitUnwritable;
    case StatusKind::kRefusal:
      return kExitRefused;
    default:
      return kExitUnreadable;  // the book is damaged
  }
}

// Standard output gets the CSV once it is whole, from a file of its own.
int ExportToStandardOutput(ExportOptions options, Console& console) {
  TemporaryFile whole;
  std::error_code no_folder;
  if (const Status created =
          whole.Create(std::filesystem::temp_directory_path(no_folder).string(), "bwick-export");
      !created.ok()) {
    console.Error("-", created.message());
    return kExitUnwritable;
  }
  options.output = whole.path();
  if (const StatusOr<ExportSummary> exported = ExportCsv(options, console); !exported.ok()) {
    console.Error(options.book, exported.status().message());
    return ExitStatusOf(exported.status());
  }
  std::ifstream written(whole.path(), std::ios::binary);
  console.out() << written.rdbuf();
  return console.FinishProduct() ? kExitOk : kExitUnwritable;
}

}  // namespace

int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int exit_status = kExitOk;
  const auto parsed = ParseCommandLine(kExportCommand, args, out, err, exit_status);
  if (!parsed) return exit_status;
  StatusOr<ExportOptions> read = ReadExportOptions(*parsed);
  if (!read.ok()) return UsageError("export", read.status().message(), err);
  ExportOptions& options = read.value();
  exit_status = CheckOutputFile("export", options.book, options.output, options.replace,
                                "файл совпадает со справочником", err);
  if (exit_status != kExitOk) return exit_status;
  Console console("export", {parsed->Has("quiet"), false}, out, err);
  // The book is read more than once: for its kind, and again for each splitter tried.
  SpooledInput book;
  if (const Status opened = book.Open(options.book); !opened.ok()) {
    console.Error(options.book, opened.message());
    return kExitUnreadable;
  }
  options.read_from = book.path();
  if (options.output == "-") return ExportToStandardOutput(options, console);
  const StatusOr<ExportSummary> summary = options.kind == OutputKind::kSourceFile
                                              ? ExportSourceFile(options)
                                              : ExportCsv(options, console);
  if (!summary.ok()) {
    console.Error(options.book, summary.status().message());
    return ExitStatusOf(summary.status());
  }
  console.Result("записано: " + options.output + " (записей: " + std::to_string(summary->records) +
                 ", разделитель " + format::SplitterForMessage(summary->splitter) + ")\n");
  return kExitOk;
}

int RunExportCommand(const std::vector<std::string>& args) {
  return RunExportCommand(args, std::cout, std::cerr);
}

}  // namespace cli
