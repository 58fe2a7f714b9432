#include "designer/model/document_design.h"

#include <utility>

namespace designer {

DocumentDesign TakeDesign(const Document& doc, std::string database_name, std::string splitter,
                          bool cut_long_lines) {
  return {doc.Fields,          doc.QueryBoxTicked, doc.ResultBoxTicked, std::move(database_name),
          std::move(splitter), cut_long_lines};
}

void RestoreDesign(Document& doc, const DocumentDesign& design) {
  doc.Fields = design.fields;
  doc.QueryBoxTicked = design.query_box_ticked;
  doc.ResultBoxTicked = design.result_box_ticked;
}

int LoneTextEdited(const DocumentDesign& before, const DocumentDesign& after) {
  DocumentDesign renamed = before;
  renamed.database_name = after.database_name;
  if (renamed == after) return before.database_name == after.database_name ? -1 : 0;
  for (int field = 1; field <= kFieldTableSize; ++field) {
    renamed = before;
    renamed.fields[field].Name = after.fields[field].Name;
    if (renamed == after) return field;
  }
  return -1;
}

}  // namespace designer
