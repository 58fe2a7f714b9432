#include "cli/build_command.h"

#include <iostream>

#include "builder/convert/run_conversion.h"
#include "cli/arguments.h"
#include "cli/console_reporter.h"
#include "cli/exit_codes.h"
#include "cli/phone_options.h"
#include "cli/readable_input.h"

namespace cli {

int RunBuildCommand(const std::vector<std::string>& args) {
  const auto line = ReadPhoneCommandLine(
      "build", args,
      {{"name", true}, {"splitter", true}, {"digits", true}, {"keep-db", false}, {"force", false}},
      kBuildUsage);
  if (!line) return kExitUsage;
  const std::string& input = line->input();
  const PhoneOptions& phone = line->phone;
  if (const std::string why = WhyUnreadable(input); !why.empty()) {
    std::cerr << "bwick build: " << input << ": " << why << "\n";
    return kExitUnreadable;
  }

  builder::ConversionRequest request;
  request.path = input;
  request.name = phone.name;
  request.splitter = phone.splitter;
  request.digits = phone.digits;
  request.keep_intermediate = line->parsed.Has("keep-db");
  request.replace_kept = line->parsed.Has("force");
  ConsoleReporter reporter;
  switch (builder::RunConversion(request, reporter)) {
    case builder::ConversionOutcome::kDone:
      return kExitOk;
    case builder::ConversionOutcome::kRefused:
      return kExitUsage;
    case builder::ConversionOutcome::kConversionFailed:
    case builder::ConversionOutcome::kPackingFailed:
      return kExitFailed;
  }
  return kExitFailed;
}

}  // namespace cli
