#include "cli/dump_command.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <fstream>
#include <optional>

#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/readable_input.h"
#include "cli/record_output.h"
#include "common/byte_source.h"
#include "common/codepage.h"
#include "common/replacement_file.h"
#include "common/system_reason.h"
#include "format/database_reader.h"
#include "viewer/search/book.h"
#include "viewer/search/book_reader.h"

namespace cli {

const CommandSpec kDumpCommand = {
    "dump",
    "ФАЙЛ",
    "показать файл базы данных (.db, .fdb, .zdb) текстом",
    "Читает файл базы данных, который пишет build (упакованный или нет), проверяет его\n"
    "устройство и выводит текстом: заголовок, поля и записи, или только записи в виде для\n"
    "программ (--format). \"-\" читает стандартный ввод. Ошибка в файле называет своё смещение\n"
    "в распакованных данных.",
    {{"output", 'o', "ФАЙЛ", "записать вывод в ФАЙЛ (\"-\": стандартный вывод)"},
     kForceOption,
     kFormatOption,
     kCsvEncodingOption},
};

namespace {

std::string Utf8(std::string_view cp1251) { return codepage::Cp1251ToUtf8(cp1251); }

void PrintTableHeader(const format::DbHeader& header,
                      const std::vector<format::DbFieldDesc>& fields, std::ostream& out) {
  out << "табличная база\n"
      << "версия: " << int{header.version} << "\n"
      << "полей: " << header.field_count << "\n"
      << "записей: " << header.record_count << "\n"
      << "флаги: " << int{header.flags} << "\n"
      << "название: " << Utf8(header.name) << "\n";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const format::DbFieldDesc& field = fields[i];
    out << "поле " << i + 1 << ": название=" << Utf8(field.name)
        << " тип=" << (field.numeric() ? "число" : "текст") << "(" << int{field.type}
        << ") флаги=" << int{field.flags} << " размер=" << int{field.num_size}
        << " запрос=" << int{field.query_index} << " результат=" << int{field.result_index}
        << " карточка=" << int{field.detail_index} << " ввод=" << field.edit_width
        << " ширина=" << field.result_size << " наибольшая=" << field.max_size << "\n";
  }
}

void PrintPhoneBookHeader(const format::PhoneBookHeader& header, std::ostream& out) {
  out << "телефонная книга\n"
      << "записей: " << header.record_count << "\n"
      << "цифр: " << int{header.digits} << "\n"
      << "название: " << Utf8(header.name) << "\n";
}

std::vector<std::string> FieldNames(const format::DatabaseReader& reader) {
  std::vector<std::string> names;
  if (reader.kind() == format::BookKind::kTable) {
    for (const format::DbFieldDesc& field : reader.fields()) names.push_back(field.name);
  } else {
    for (const viewer::BookField& field : viewer::PhoneBookFields()) names.push_back(field.name);
  }
  return names;
}

// Prints each part as soon as it is read, so memory stays constant. The header and the end line
// are for a reader; the formats for programs hold the records alone.
Status Print(format::DatabaseReader& reader, const RecordOutputOptions& options,
             std::ostream& out) {
  if (Status header = reader.ReadHeader(); !header.ok()) return header;
  const bool text = options.format == OutputFormat::kText;
  if (text && reader.kind() == format::BookKind::kTable) {
    PrintTableHeader(reader.header(), reader.fields(), out);
  } else if (text) {
    PrintPhoneBookHeader(reader.phone_book(), out);
  }
  RecordPrinter printer(options, FieldNames(reader), out);
  printer.Heading();
  format::BookRecord record;
  std::vector<std::string_view> views;
  std::vector<std::array<char, 16>> numbers;  // the decimal text of numeric values
  while (reader.NextRecord(record)) {
    viewer::ValueTexts(record, views, numbers);
    printer.Record(record.number, views);
  }
  if (reader.status().ok() && text) out << "конец: записей " << reader.record_count() << "\n";
  return reader.status();
}

// Reads `input` ("-": standard input) into `out`; the exit status.
int Dump(const std::string& input, const RecordOutputOptions& options, std::ostream& out,
         Console& console) {
  FileSource source = input == "-" ? FileSource::StandardInput() : FileSource(input);
  format::DatabaseReader reader(source);
  const Status printed = Print(reader, options, out);
  if (printed.ok()) return kExitOk;
  out.flush();
  console.Error(input, printed.message());
  return kExitUnreadable;
}

// The listing takes the file's place only when complete.
int DumpToFile(const std::string& input, const std::string& output,
               const RecordOutputOptions& options, Console& console) {
  ReplacementFile file(output);
  if (const Status created = file.Create(); !created.ok()) {
    console.Error(output, "не удалось создать файл: " + created.message());
    return kExitUnwritable;
  }
  close(file.TakeDescriptor());
  std::ofstream stream(file.path(), std::ios::binary | std::ios::trunc);
  if (const int status = Dump(input, options, stream, console); status != kExitOk) return status;
  errno = 0;
  stream.close();
  Status written = !stream ? SystemFailure(errno != 0 ? errno : EIO) : Status::Ok();
  if (written.ok()) written = file.Commit();
  if (!written.ok()) {
    console.Error(output, "ошибка записи файла: " + written.message());
    return kExitUnwritable;
  }
  return kExitOk;
}

}  // namespace

int RunDumpCommand(const std::vector<std::string>& args) {
  int status = kExitOk;
  const auto parsed = ParseCommandLine(kDumpCommand, args, std::cout, std::cerr, status);
  if (!parsed) return status;
  const std::string& input = parsed->operands[0];
  const std::string output = parsed->Value("output").value_or("-");
  const StatusOr<RecordOutputOptions> read = ReadRecordOutputOptions(*parsed);
  if (!read.ok()) return UsageError("dump", read.status().message(), std::cerr);
  const RecordOutputOptions& options = read.value();
  status = CheckOutputFile("dump", input, output, parsed->Has("force"),
                           "файл совпадает с входным; его нельзя заменить выводом", std::cerr);
  if (status != kExitOk) return status;

  Console console("dump", {});
  if (input != "-") {
    if (const Status readable = CheckReadable(input); !readable.ok()) {
      console.Error(input, readable.message());
      return kExitUnreadable;
    }
  }
  if (output != "-") return DumpToFile(input, output, options, console);
  status = Dump(input, options, std::cout, console);
  return console.FinishProduct() ? status : kExitUnwritable;
}

}  // namespace cli
