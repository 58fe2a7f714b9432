#include "cli/import_command.h"

#include <filesystem>
#include <iostream>
#include <optional>

#include "cli/arguments.h"
#include "cli/exit_codes.h"
#include "common/codepage.h"
#include "common/same_file.h"
#include "designer/model/csv_import.h"
#include "designer/model/designer_view.h"
#include "designer/model/document.h"
#include "designer/model/source_file.h"

namespace cli {
namespace {

struct ImportOptions {
  std::string csv_path;
  std::string output_path;
  std::string name;  // Windows-1251
  std::string splitter = ";";
  bool header = false;
  bool cut_long_lines = true;
  bool replace = false;                            // --force: an existing output may be replaced
  std::optional<designer::TextEncoding> encoding;  // none: detected
};

// The designer's control values as given on the command line; the rest of the window's work
// has no audience here.
class CommandLineView : public designer::DesignerView {
 public:
  CommandLineView(const ImportOptions& options, std::ostream& err) : options_(options), err_(err) {}

  std::string DatabaseName() const override { return options_.name; }
  void SetDatabaseName(const std::string&) override {}
  std::string Splitter() const override { return options_.splitter; }
  void SetSplitter(const std::string&) override {}
  bool CutLongLines() const override { return options_.cut_long_lines; }
  void SetCutLongLines(bool) override {}
  void SetStatusText(int, const std::string&, bool) override {}
  void ShowProgress(int) override {}
  void SetProgress(int) override {}
  void HideProgress() override {}
  bool AskYesNo(const std::string&) override { return options_.header; }
  void ShowMessage(const std::string& text) override { err_ << "bwick import: " << text << "\n"; }
  void DocumentLoaded() override {}

 private:
  const ImportOptions& options_;
  std::ostream& err_;
};

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

// Fills `options` from `args`; on a command line it cannot take, sets `error`.
bool ReadImportOptions(const std::vector<std::string>& args, ImportOptions& options,
                       std::string& error) {
  const auto parsed = ParseArguments(LongOutputOption(args),
                                     {{"name", true},
                                      {"splitter", true},
                                      {"header", false},
                                      {"no-cut", false},
                                      {"encoding", true},
                                      {"output", true},
                                      {"force", false}},
                                     error);
  if (!parsed) return false;
  if (parsed->positional.size() != 1) {
    error = "exactly one CSV file expected";
    return false;
  }
  options.csv_path = parsed->positional[0];
  options.header = parsed->Has("header");
  options.cut_long_lines = !parsed->Has("no-cut");
  options.replace = parsed->Has("force");

  const std::optional<std::string> name_utf8 = parsed->Value("name");
  if (!name_utf8) {
    error = "--name is required";
    return false;
  }
  const std::optional<std::string> name = OptionToCp1251(*name_utf8, "name", error);
  if (!name) return false;
  // A line break would split the name's header line and shift every later value; a leading ";"
  // makes both readers take the name for a comment.
  if (name->empty() || HasLineBreak(*name) || (*name)[0] == ';') {
    error = "--name: not empty, no line breaks, and not beginning with \";\"";
    return false;
  }
  options.name = *name;

  if (const auto splitter_utf8 = parsed->Value("splitter")) {
    const std::optional<std::string> splitter = OptionToCp1251(*splitter_utf8, "splitter", error);
    if (!splitter) return false;
    // An empty splitter would be written as "''", which every reader takes as the splitter "'".
    if (splitter->size() != 1 || HasLineBreak(*splitter)) {
      error = "--splitter: exactly one character, not a line break";
      return false;
    }
    options.splitter = *splitter;
  }

  if (const auto encoding = parsed->Value("encoding")) {
    options.encoding = EncodingNamed(*encoding);
    if (!options.encoding) {
      error = "--encoding: utf-8 or cp1251";
      return false;
    }
  }

  options.output_path = parsed->Value("output").value_or("");
  if (options.output_path.empty()) {
    options.output_path =
        std::filesystem::path(options.csv_path).replace_extension(".fsr").string();
  }
  return true;
}

void PrintSummary(const designer::Document& doc, std::int32_t imported_records,
                  const ImportOptions& options, std::ostream& out) {
  out << "encoding: " << (doc.SourceEncoding == designer::TextEncoding::kUtf8 ? "utf-8" : "cp1251")
      << (options.encoding ? " (given)" : " (detected)") << "\n";
  out << "fields: " << doc.FieldCount << "\n";
  for (int i = 1; i <= doc.FieldCount; ++i) {
    const designer::TFieldDesc& field = doc.Fields[i];
    out << "  " << i << " \"" << codepage::Cp1251ToUtf8(field.Name) << "\" ";
    if (field.DataType == designer::kTypeNumeric) {
      out << "numeric, " << static_cast<int>(field.NumSize) << " bytes";
    } else {
      out << "text";
    }
    out << ", longest value " << field.MaxLen << "\n";
  }
  out << "records: " << imported_records << "\n";
  out << "written: " << options.output_path << " (" << doc.RecordCount << " data lines)\n";
}

}  // namespace

int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ImportOptions options;
  std::string error;
  if (!ReadImportOptions(args, options, error)) {
    err << "bwick import: " << error << "\nUsage: " << kImportUsage << "\n";
    return kExitUsage;
  }
  if (SameFile(options.csv_path, options.output_path)) {
    err << "bwick import: the output would replace the CSV file it is made from\n";
    return kExitUsage;
  }
  std::error_code no_file;
  if (!options.replace &&
      std::filesystem::exists(std::filesystem::symlink_status(options.output_path, no_file))) {
    err << "bwick import: " << options.output_path << " already exists; --force replaces it\n";
    return kExitUsage;
  }

  CommandLineView view(options, err);
  designer::Document doc;
  Status status = designer::LoadCSV(doc, options.csv_path, view, options.encoding);
  if (!status.ok()) {
    err << "bwick import: " << status.message() << "\n";
    return status.refusal() ? kExitFailed : kExitUnreadable;
  }
  const std::int32_t imported_records = doc.RecordCount;
  status = designer::SaveFSR(doc, options.output_path, view);
  if (!status.ok()) {
    err << "bwick import: " << status.message() << "\n";
    return kExitFailed;
  }
  PrintSummary(doc, imported_records, options, out);
  return kExitOk;
}

int RunImportCommand(const std::vector<std::string>& args) {
  return RunImportCommand(args, std::cout, std::cerr);
}

}  // namespace cli
