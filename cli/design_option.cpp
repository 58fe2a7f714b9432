#include "cli/design_option.h"

#include "cli/exit_codes.h"
#include "designer/model/design_reuse.h"
#include "designer/model/source_file.h"

namespace cli {

int ApplyDesignOption(const std::string& design_path, const std::string& table_path, bool as_text,
                      Console& console, designer::Document& table, std::string& database_name,
                      std::vector<std::string>& match) {
  designer::Document design;
  designer::ReadResult read;
  const Status loaded = designer::LoadFSRDesign(design, design_path, read);
  if (!loaded.ok()) {
    console.Error(design_path, loaded.message());
    return loaded.refusal() ? kExitRefused : kExitUnreadable;
  }
  designer::DesignMatch matched;
  Status status = designer::MatchDesign(design, table, matched);
  designer::Document refreshed;
  std::vector<std::string> warnings;
  if (status.ok()) {
    status =
        designer::ApplyDesign(design, table, matched, {.as_text = as_text}, refreshed, warnings);
  }
  if (!status.ok()) {
    console.Error(table_path, status.message());
    return status.refusal() ? kExitRefused : kExitUnreadable;
  }
  for (const std::string& warning : warnings) console.Note(table_path, warning);
  match = designer::DescribeMatch(design, table, matched);
  database_name = read.database_name.value_or("");
  table = std::move(refreshed);
  return kExitOk;
}

}  // namespace cli
