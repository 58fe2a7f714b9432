#include "cli/designed_build.h"

#include <filesystem>
#include <string>

#include "builder/convert/run_conversion.h"
#include "cli/build_command.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/import_command.h"
#include "common/replacement_file.h"
#include "common/same_file.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDesignOnly[] = {"header", "quote",   "skip",     "sheet",
                                       "no-cut", "as-text", "keep-fsr", "output"};

// Where the source file and the book go: a kept source file where bwick import puts it, the book
// as -o says or as bwick build names it from that source file. Returns the exit status.
int NameOutputs(const ParsedArguments& parsed, ImportOptions& options, std::string& book) {
  const std::string& table = options.csv_path;
  const std::string kept = fs::path(table).replace_extension(".fsr").string();
  options.output_path = kept;
  book = parsed.Value("output").value_or("");
  if (book.empty()) book = builder::NameConversion(kept)->target;
  int status = kExitOk;
  if (parsed.Has("keep-fsr")) {
    status = CheckOutputFile("build", table, kept, options.replace,
                             "исходный файл заменил бы таблицу, из которой он делается", std::cerr);
    if (status == kExitOk && SameFile(kept, options.design_path))
      return UsageError("build", kept + ": исходный файл заменил бы файл оформления", std::cerr);
  }
  for (const std::string& input : {table, options.design_path}) {
    if (status == kExitOk)
      status = CheckOutputFile("build", input, book, true, "справочник заменил бы входной файл",
                               std::cerr);
  }
  return status;
}

}  // namespace

Status DesignOptionsNeedDesign(const ParsedArguments& parsed) {
  if (parsed.Has("design")) return Status::Ok();
  for (const char* option : kDesignOnly) {
    if (parsed.Has(option))
      return Status::Refusal("--" + std::string(option) + " задаётся только вместе с --design");
  }
  return Status::Ok();
}

int RunDesignedBuild(const ParsedArguments& parsed) {
  for (const char* option : {"digits", "keep-db"}) {
    if (parsed.Has(option))
      return UsageError("build", "--" + std::string(option) + " не задаётся вместе с --design",
                        std::cerr);
  }
  if (parsed.Has("force") && !parsed.Has("keep-fsr"))
    return UsageError("build", "с --design --force задаётся только вместе с --keep-fsr", std::cerr);
  StatusOr<ImportOptions> read = ReadImportOptions(parsed);
  if (!read.ok()) return UsageError("build", read.status().message(), std::cerr);
  ImportOptions& options = read.value();
  std::string book;
  if (const int named = NameOutputs(parsed, options, book); named != kExitOk) return named;

  Console console("build", {parsed.Has("quiet"), parsed.Has("progress")});
  // Not kept, the source file has a name of its own beside the book and goes with this object.
  TemporaryFile own;
  if (!parsed.Has("keep-fsr")) {
    const std::string folder = fs::path(book).parent_path().string();
    if (const Status created =
            own.Create(folder, fs::path(options.output_path).filename().string());
        !created.ok()) {
      console.Error(book, created.message());
      return kExitUnwritable;
    }
    options.output_path = own.path();
  }
  ImportedFile imported;
  if (const int status = ImportToSourceFile(options, console, imported); status != kExitOk)
    return status;

  builder::ConversionRequest request;
  request.path = options.output_path;
  request.source_file = true;
  request.target = book;
  ConsoleReporter reporter(console, options.csv_path);
  const builder::ConversionResult converted = builder::RunConversion(request, reporter);
  if (!converted.ok()) return ShowConversionFailure(console, options.csv_path, converted);
  console.Result((parsed.Has("keep-fsr") ? "Записан файл " + options.output_path + "\n" : "") +
                 std::string("Записан файл ") + book + "\n");
  return kExitOk;
}

}  // namespace cli
