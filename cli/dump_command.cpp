#include "cli/dump_command.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/readable_input.h"
#include "common/byte_source.h"
#include "common/codepage.h"
#include "common/replacement_file.h"
#include "common/system_reason.h"
#include "format/database_reader.h"

namespace cli {

const CommandSpec kDumpCommand = {
    "dump",
    "ФАЙЛ",
    "показать файл базы данных (.db, .fdb, .zdb) текстом",
    "Читает файл базы данных, который пишет build (упакованный или нет), проверяет его\n"
    "устройство и выводит текстом. \"-\" читает стандартный ввод. Ошибка в файле называет\n"
    "своё смещение в распакованных данных.",
    {{"output", 'o', "ФАЙЛ", "записать вывод в ФАЙЛ (\"-\": стандартный вывод)"}, kForceOption},
};

namespace {

std::string Utf8(std::string_view cp1251) { return codepage::Cp1251ToUtf8(cp1251); }

void PrintTableHeader(const format::DbHeader& header,
                      const std::vector<format::DbFieldDesc>& fields, std::ostream& out) {
  out << "table database\n"
      << "version: " << int{header.version} << "\n"
      << "fields: " << header.field_count << "\n"
      << "records: " << header.record_count << "\n"
      << "flags: " << int{header.flags} << "\n"
      << "name: " << Utf8(header.name) << "\n";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const format::DbFieldDesc& field = fields[i];
    out << "field " << i + 1 << ": name=" << Utf8(field.name)
        << " type=" << (field.numeric() ? "numeric" : "text") << "(" << int{field.type}
        << ") flags=" << int{field.flags} << " size=" << int{field.num_size}
        << " query=" << int{field.query_index} << " result=" << int{field.result_index}
        << " detail=" << int{field.detail_index} << " edit=" << field.edit_width
        << " result_width=" << field.result_size << " max=" << field.max_size << "\n";
  }
}

void PrintPhoneBookHeader(const format::PhoneBookHeader& header, std::ostream& out) {
  out << "phone book\n"
      << "records: " << header.record_count << "\n"
      << "digits: " << int{header.digits} << "\n"
      << "name: " << Utf8(header.name) << "\n";
}

void PrintRecord(const format::BookRecord& record, std::ostream& out) {
  out << "record " << record.number << ":";
  for (std::size_t i = 0; i < record.values.size(); ++i) {
    const format::StoredValue& value = record.values[i];
    out << (i == 0 ? " " : " | ")
        << (value.numeric() ? format::NumberText(value.number, value.number_size)
                            : Utf8(value.text));
  }
  out << "\n";
}

// Prints each part as soon as it is read, so memory stays constant.
Status Print(format::DatabaseReader& reader, std::ostream& out) {
  if (Status header = reader.ReadHeader(); !header.ok()) return header;
  if (reader.kind() == format::BookKind::kTable) {
    PrintTableHeader(reader.header(), reader.fields(), out);
  } else {
    PrintPhoneBookHeader(reader.phone_book(), out);
  }
  format::BookRecord record;
  while (reader.NextRecord(record)) PrintRecord(record, out);
  if (reader.status().ok()) out << "end: " << reader.record_count() << " records\n";
  return reader.status();
}

// Reads `input` ("-": standard input) into `out`; the exit status.
int Dump(const std::string& input, std::ostream& out, Console& console) {
  FileSource source = input == "-" ? FileSource::StandardInput() : FileSource(input);
  format::DatabaseReader reader(source);
  const Status printed = Print(reader, out);
  if (printed.ok()) return kExitOk;
  out.flush();
  console.Error(input, printed.message());
  return kExitFailed;
}

}  // namespace

int RunDumpCommand(const std::vector<std::string>& args) {
  int status = kExitOk;
  const auto parsed = ParseCommandLine(kDumpCommand, args, std::cout, std::cerr, status);
  if (!parsed) return status;
  const std::string& input = parsed->operands[0];
  const std::string output = parsed->Value("output").value_or("-");
  std::error_code no_file;
  if (output != "-" && !parsed->Has("force") &&
      std::filesystem::exists(std::filesystem::symlink_status(output, no_file))) {
    return UsageError("dump", output + ": файл уже существует; --force заменяет его", std::cerr);
  }

  Console console("dump", {});
  if (input != "-") {
    if (const Status readable = CheckReadable(input); !readable.ok()) {
      console.Error(input, readable.message());
      return kExitUnreadable;
    }
  }
  if (output == "-") {
    status = Dump(input, std::cout, console);
    return console.FinishProduct() ? status : kExitFailed;
  }
  // The listing takes the file's place only when complete.
  ReplacementFile file(output);
  if (const Status created = file.Create(); !created.ok()) {
    console.Error(output, "не удалось создать файл: " + created.message());
    return kExitFailed;
  }
  close(file.TakeDescriptor());
  std::ofstream stream(file.path(), std::ios::binary | std::ios::trunc);
  status = Dump(input, stream, console);
  if (status != kExitOk) return status;
  errno = 0;
  stream.close();
  Status written = !stream ? SystemFailure(errno != 0 ? errno : EIO) : Status::Ok();
  if (written.ok()) written = file.Commit();
  if (!written.ok()) {
    console.Error(output, "ошибка записи файла: " + written.message());
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace cli
