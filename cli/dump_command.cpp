#include "cli/dump_command.h"

#include <iostream>

#include "builder/convert/database_reader.h"
#include "cli/arguments.h"
#include "cli/exit_codes.h"
#include "cli/readable_input.h"
#include "cli/record_line.h"
#include "common/codepage.h"

namespace cli {
namespace {

std::string Utf8(const std::string& cp1251) { return codepage::Cp1251ToUtf8(cp1251); }

// Prints each part as soon as it is read, so memory stays constant.
class Printer : public builder::DatabaseVisitor {
 public:
  void TableHeader(const builder::DbHeader& header) override {
    std::cout << "table database\n"
              << "version: " << int{header.version} << "\n"
              << "fields: " << header.field_count << "\n"
              << "records: " << header.record_count << "\n"
              << "flags: " << int{header.flags} << "\n"
              << "name: " << Utf8(header.name) << "\n";
  }
  void TableField(int index, const builder::DbFieldDesc& field) override {
    std::cout << "field " << index << ": name=" << Utf8(field.name)
              << " type=" << (field.type == builder::kNumericType ? "numeric" : "text") << "("
              << int{field.type} << ") flags=" << int{field.flags}
              << " size=" << int{field.num_size} << " query=" << int{field.query_index}
              << " result=" << int{field.result_index} << " detail=" << int{field.detail_index}
              << " edit=" << field.edit_size << " result_width=" << field.result_size
              << " max=" << field.max_size << "\n";
  }
  void PhoneBookHeader(std::uint32_t records, int digits, const std::string& name) override {
    std::cout << "phone book\n"
              << "records: " << records << "\n"
              << "digits: " << digits << "\n"
              << "name: " << Utf8(name) << "\n";
  }
  void Record(std::int64_t number, const std::vector<std::string>& values) override {
    PrintRecord(std::cout, number, values);
  }
  void End(std::int64_t records) override { std::cout << "end: " << records << " records\n"; }
};

}  // namespace

int RunDumpCommand(const std::vector<std::string>& args) {
  std::string error;
  const auto parsed = ParseArguments(args, {}, error);
  if (parsed && parsed->positional.size() != 1) error = "exactly one FILE expected";
  if (!parsed || !error.empty()) {
    PrintUsageError("dump", error + "\nUsage: " + kDumpUsage);
    return kExitUsage;
  }
  const std::string& path = parsed->positional[0];
  if (const std::string why = WhyUnreadable(path); !why.empty()) {
    std::cerr << "bwick dump: " << path << ": " << why << "\n";
    return kExitUnreadable;
  }
  Printer printer;
  bool packed = false;
  builder::ReadFailure failure;
  const bool read = builder::ReadDatabase(path, printer, packed, failure);
  std::cout.flush();
  if (!read) {
    std::cerr << "bwick dump: " << path << ": at offset " << failure.offset
              << (packed ? " of the unpacked data" : "") << ": " << failure.reason << "\n";
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace cli
