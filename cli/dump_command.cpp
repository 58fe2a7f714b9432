#include "cli/dump_command.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "builder/convert/database_reader.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/readable_input.h"
#include "common/codepage.h"
#include "common/replacement_file.h"
#include "common/system_reason.h"

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

std::string Utf8(const std::string& cp1251) { return codepage::Cp1251ToUtf8(cp1251); }

// Prints each part as soon as it is read, so memory stays constant.
class Printer : public builder::DatabaseVisitor {
 public:
  explicit Printer(std::ostream& out) : out_(out) {}

  void TableHeader(const builder::DbHeader& header) override {
    out_ << "table database\n"
         << "version: " << int{header.version} << "\n"
         << "fields: " << header.field_count << "\n"
         << "records: " << header.record_count << "\n"
         << "flags: " << int{header.flags} << "\n"
         << "name: " << Utf8(header.name) << "\n";
  }
  void TableField(int index, const builder::DbFieldDesc& field) override {
    out_ << "field " << index << ": name=" << Utf8(field.name)
         << " type=" << (field.type == builder::kNumericType ? "numeric" : "text") << "("
         << int{field.type} << ") flags=" << int{field.flags} << " size=" << int{field.num_size}
         << " query=" << int{field.query_index} << " result=" << int{field.result_index}
         << " detail=" << int{field.detail_index} << " edit=" << field.edit_size
         << " result_width=" << field.result_size << " max=" << field.max_size << "\n";
  }
  void PhoneBookHeader(std::uint32_t records, int digits, const std::string& name) override {
    out_ << "phone book\n"
         << "records: " << records << "\n"
         << "digits: " << digits << "\n"
         << "name: " << Utf8(name) << "\n";
  }
  void Record(std::int64_t number, const std::vector<std::string>& values) override {
    out_ << "record " << number << ":";
    for (std::size_t i = 0; i < values.size(); ++i) {
      out_ << (i == 0 ? " " : " | ") << Utf8(values[i]);
    }
    out_ << "\n";
  }
  void End(std::int64_t records) override { out_ << "end: " << records << " records\n"; }

 private:
  std::ostream& out_;
};

// Reads `input` ("-": standard input) into `out`; the exit status.
int Dump(const std::string& input, std::ostream& out, Console& console) {
  Printer printer(out);
  bool packed = false;
  builder::ReadFailure failure;
  const bool read = input == "-"
                        ? builder::ReadDatabase(dup(STDIN_FILENO), printer, packed, failure)
                        : builder::ReadDatabase(input, printer, packed, failure);
  if (read) return kExitOk;
  out.flush();
  console.Error(input, "смещение " + std::to_string(failure.offset) +
                           (packed ? " в распакованных данных" : "") + ": " + failure.reason);
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
    if (const std::string why = WhyUnreadable(input); !why.empty()) {
      console.Error(input, why);
      return kExitUnreadable;
    }
  }
  if (output == "-") {
    status = Dump(input, std::cout, console);
    return console.FinishProduct() ? status : kExitFailed;
  }
  // The listing takes the file's place only when complete.
  ReplacementFile file(output);
  if (const int error = file.Create()) {
    console.Error(output, "не удалось создать файл: " + SystemReason(error));
    return kExitFailed;
  }
  close(file.TakeDescriptor());
  std::ofstream stream(file.path(), std::ios::binary | std::ios::trunc);
  status = Dump(input, stream, console);
  if (status != kExitOk) return status;
  errno = 0;
  stream.close();
  int error = !stream ? (errno != 0 ? errno : EIO) : 0;
  if (error == 0) error = file.Commit();
  if (error != 0) {
    console.Error(output, "ошибка записи файла: " + SystemReason(error));
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace cli
