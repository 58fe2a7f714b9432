#include "cli/check_command.h"

#include <iostream>

#include "builder/convert/byte_io.h"
#include "builder/convert/messages.h"
#include "builder/convert/phone_book.h"
#include "builder/convert/run_conversion.h"
#include "builder/convert/table_database.h"
#include "cli/arguments.h"
#include "cli/console_reporter.h"
#include "cli/exit_codes.h"
#include "cli/phone_options.h"
#include "common/codepage.h"

namespace cli {
namespace {

// Tallies the faulty lines and prints each in the conversion's own words.
class FaultList {
 public:
  void Add(const Status& status) {
    if (status.ok()) return;
    ++faults_;
    std::cout << TerminalLines(status.message()) << "\n";
  }
  int faults() const { return faults_; }

 private:
  int faults_ = 0;
};

int Finish(const std::string& input, const FaultList& faults, std::int64_t lines,
           builder::LineReader& reader) {
  if (reader.failed()) {
    std::cerr << "bwick check: " << TerminalLines(builder::messages::ReadFailed(input)) << "\n";
    return kExitUnreadable;
  }
  std::cerr << "bwick check: " << input << ": " << faults.faults() << " faulty of " << lines
            << " lines\n";
  return faults.faults() == 0 ? kExitOk : kExitFailed;
}

int CheckSourceFile(const std::string& input, builder::LineReader& reader) {
  builder::SourceLayout layout;
  std::string message;
  const int read = builder::ReadSourceLayout(reader, input, layout, message);
  if (read == builder::kConvertNoInput) {
    std::cerr << "bwick check: " << input << ": not a source file (wrong first value line)\n";
    return kExitFailed;
  }
  if (read != builder::kConvertDone) {
    std::cerr << "bwick check: " << TerminalLines(message) << "\n";
    return kExitFailed;
  }
  builder::ConversionState state;
  state.splitter = layout.splitter;
  FaultList faults;
  std::int64_t record = 0;
  std::string line;
  while (reader.ReadLine(builder::kDataLineBytes, line)) {
    ++record;
    const Status splitters = builder::CheckTableSplitters(record, line, layout);
    faults.Add(splitters.ok() ? builder::BuildTableRecord(record, line, layout, state) : splitters);
  }
  return Finish(input, faults, record, reader);
}

int CheckPhoneList(const std::string& input, builder::LineReader& reader,
                   const PhoneOptions& options) {
  builder::ConversionState state;
  state.splitter = options.splitter.empty() ? ';' : options.splitter[0];
  const auto digits =
      static_cast<std::uint8_t>(options.digits.empty() ? 0 : options.digits[0] - '0');
  FaultList faults;
  std::int64_t record = 0;
  std::string line;
  while (reader.ReadLine(builder::kDataLineBytes, line)) {
    ++record;
    if (record == 1) faults.Add(builder::CheckPhoneFirstLine(line));
    const Status splitters = builder::CheckPhoneSplitters(record, line, state.splitter);
    if (!splitters.ok()) {
      faults.Add(splitters);
      continue;
    }
    codepage::UpperCp1251InPlace(line);
    faults.Add(builder::BuildPhoneRecord(record, line, digits, state));
  }
  return Finish(input, faults, record, reader);
}

}  // namespace

int RunCheckCommand(const std::vector<std::string>& args) {
  const auto line =
      ReadPhoneCommandLine("check", args, {{"splitter", true}, {"digits", true}}, kCheckUsage);
  if (!line) return kExitUsage;
  const std::string& input = line->input();
  const auto names = builder::NameConversion(input);
  if (!names) {
    PrintUsageError("check", input + ": no extension to tell a source file from a phone list");
    return kExitUsage;
  }
  if (names->kind == builder::ConversionKind::kPackedDatabase) {
    PrintUsageError("check", input + ": a database; use 'bwick dump' to check it");
    return kExitUsage;
  }
  FileSource source(input);
  if (!source.is_open()) {
    std::cerr << "bwick check: " << input << ": " << source.open_error() << "\n";
    return kExitUnreadable;
  }
  builder::LineReader reader(source);
  if (reader.AtEnd()) {
    if (reader.failed()) return Finish(input, FaultList(), 0, reader);
    std::cerr << "bwick check: " << TerminalLines(builder::messages::ReadFailed(input)) << "\n";
    return kExitFailed;
  }
  if (names->kind == builder::ConversionKind::kSourceFile) return CheckSourceFile(input, reader);
  return CheckPhoneList(input, reader, line->phone);
}

}  // namespace cli
