// What the user edits of a document, kept whole before and after each edit so that the edit can
// be undone: the fields with their ticks, and the three document values that live as control
// texts. The link to the data lines (file, kind, header length, record count) is no part of it:
// a save changes that link, and an undo must never point the next save at a file that moved.
#pragma once

#include <array>
#include <string>

#include "designer/model/document.h"

namespace designer {

struct DocumentDesign {
  std::array<TFieldDesc, kFieldTableSize + 1> fields{};
  std::array<bool, kMaxDocumentFields + 1> query_box_ticked{};
  std::array<bool, kMaxDocumentFields + 1> result_box_ticked{};
  std::string database_name;  // Windows-1251, as the other document values
  std::string splitter;
  bool cut_long_lines = true;

  friend bool operator==(const DocumentDesign&, const DocumentDesign&) = default;
};

// The design of `doc` with the three control values given.
DocumentDesign TakeDesign(const Document& doc, std::string database_name, std::string splitter,
                          bool cut_long_lines);

// Puts the fields and ticks of `design` back into `doc`; the control values are the caller's.
void RestoreDesign(Document& doc, const DocumentDesign& design);

// Consecutive edits of one text (the database name, or one field's name) count as one edit when
// undone. Returns the text two designs differ in alone: 0 the database name, 1..10 a field's name;
// -1 when they differ in anything else or not at all.
int LoneTextEdited(const DocumentDesign& before, const DocumentDesign& after);

}  // namespace designer
