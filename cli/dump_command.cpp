#include "cli/dump_command.h"

#include <iostream>

#include "cli/arguments.h"
#include "cli/exit_codes.h"
#include "cli/readable_input.h"
#include "common/byte_source.h"
#include "common/codepage.h"
#include "format/database_reader.h"

namespace cli {
namespace {

std::string Utf8(std::string_view cp1251) { return codepage::Cp1251ToUtf8(cp1251); }

void PrintTableHeader(const format::DbHeader& header,
                      const std::vector<format::DbFieldDesc>& fields) {
  std::cout << "table database\n"
            << "version: " << int{header.version} << "\n"
            << "fields: " << header.field_count << "\n"
            << "records: " << header.record_count << "\n"
            << "flags: " << int{header.flags} << "\n"
            << "name: " << Utf8(header.name) << "\n";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const format::DbFieldDesc& field = fields[i];
    std::cout << "field " << i + 1 << ": name=" << Utf8(field.name)
              << " type=" << (field.numeric() ? "numeric" : "text") << "(" << int{field.type}
              << ") flags=" << int{field.flags} << " size=" << int{field.num_size}
              << " query=" << int{field.query_index} << " result=" << int{field.result_index}
              << " detail=" << int{field.detail_index} << " edit=" << field.edit_size
              << " result_width=" << field.result_size << " max=" << field.max_size << "\n";
  }
}

void PrintPhoneBookHeader(const format::PhoneBookHeader& header) {
  std::cout << "phone book\n"
            << "records: " << header.record_count << "\n"
            << "digits: " << int{header.digits} << "\n"
            << "name: " << Utf8(header.name) << "\n";
}

void PrintRecord(const format::BookRecord& record) {
  std::cout << "record " << record.number << ":";
  for (std::size_t i = 0; i < record.values.size(); ++i) {
    const format::StoredValue& value = record.values[i];
    std::cout << (i == 0 ? " " : " | ")
              << (value.numeric() ? format::NumberText(value.number, value.number_size)
                                  : Utf8(value.text));
  }
  std::cout << "\n";
}

// Prints each part as soon as it is read, so memory stays constant.
Status Print(format::DatabaseReader& reader) {
  if (Status header = reader.ReadHeader(); !header.ok()) return header;
  if (reader.kind() == format::BookKind::kTable) {
    PrintTableHeader(reader.header(), reader.fields());
  } else {
    PrintPhoneBookHeader(reader.phone_book());
  }
  format::BookRecord record;
  while (reader.NextRecord(record)) PrintRecord(record);
  if (reader.status().ok()) std::cout << "end: " << reader.record_count() << " records\n";
  return reader.status();
}

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
  FileSource source(path);
  format::DatabaseReader reader(source);
  const Status printed = Print(reader);
  std::cout.flush();
  if (!printed.ok()) {
    std::cerr << "bwick dump: " << path << ": " << printed.message() << "\n";
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace cli
