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
  StatusOr<designer::RefreshedDesign> refreshed =
      designer::RefreshDesign(design, table, {.as_text = as_text});
  if (!refreshed.ok()) {
    console.Error(table_path, refreshed.status().message());
    return refreshed.status().refusal() ? kExitRefused : kExitUnreadable;
  }
  for (const std::string& warning : refreshed->warnings) console.Note(table_path, warning);
  match = std::move(refreshed->match);
  database_name = read.database_name.value_or("");
  table = std::move(refreshed->document);
  return kExitOk;
}

}  // namespace cli
