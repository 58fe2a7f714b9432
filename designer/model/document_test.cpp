#include "designer/model/document.h"

#include <gtest/gtest.h>

#include "designer/model/document_design.h"

namespace designer {
namespace {

Document ThreeFieldsInAllLists() {
  Document doc;
  doc.FieldCount = 3;
  for (int row = 1; row <= 3; ++row) doc.SetQueryBox(row, true);
  for (int row = 1; row <= 3; ++row) {
    doc.Fields[row].ResultIndex = static_cast<std::uint8_t>(row);
    doc.SetResultBox(row, true);
  }
  return doc;
}

TEST(DocumentLists, TickingAppendsInTickOrder) {
  Document doc = ThreeFieldsInAllLists();
  EXPECT_EQ(doc.Fields[1].QueryIndex, 1);
  EXPECT_EQ(doc.Fields[2].QueryIndex, 2);
  EXPECT_EQ(doc.Fields[3].QueryIndex, 3);
  // Result boxes found positions already and kept them.
  EXPECT_EQ(doc.Fields[3].ResultIndex, 3);
}

TEST(DocumentLists, UntickingClosesTheGapAndRetickingAppends) {
  Document doc = ThreeFieldsInAllLists();
  doc.SetQueryBox(2, false);
  EXPECT_EQ(doc.Fields[1].QueryIndex, 1);
  EXPECT_EQ(doc.Fields[2].QueryIndex, 0);
  EXPECT_EQ(doc.Fields[3].QueryIndex, 2);
  doc.SetQueryBox(2, true);
  EXPECT_EQ(doc.Fields[2].QueryIndex, 3);

  doc.SetResultBox(1, false);
  EXPECT_EQ(doc.Fields[1].ResultIndex, 0);
  EXPECT_EQ(doc.Fields[2].ResultIndex, 1);
  EXPECT_EQ(doc.Fields[3].ResultIndex, 2);
}

TEST(DocumentLists, RuleRunsOnlyWhenTheTickChanges) {
  Document doc = ThreeFieldsInAllLists();
  doc.Fields[2].QueryIndex = 0;  // as a reader leaves a field that the file had out of the list
  doc.SetQueryBox(2, true);      // already ticked: nothing happens
  EXPECT_EQ(doc.Fields[2].QueryIndex, 0);
  doc.SetQueryBox(9, true);  // no such row
  doc.SetResultBox(0, false);
  EXPECT_EQ(doc.Fields[1].ResultIndex, 1);
}

TEST(DocumentLists, ExchangingPositionsMovesAFieldAndKeepsTheListWhole) {
  Document doc = ThreeFieldsInAllLists();
  doc.ExchangeQueryPositions(3, 2);
  EXPECT_EQ(doc.Fields[1].QueryIndex, 1);
  EXPECT_EQ(doc.Fields[2].QueryIndex, 3);
  EXPECT_EQ(doc.Fields[3].QueryIndex, 2);
  EXPECT_EQ(doc.FieldAtQueryPosition(2), 3);
  EXPECT_EQ(doc.FieldAtQueryPosition(4), 0);

  doc.ExchangeResultPositions(1, 3);
  EXPECT_EQ(doc.Fields[1].ResultIndex, 3);
  EXPECT_EQ(doc.Fields[3].ResultIndex, 1);
  EXPECT_EQ(doc.FieldAtResultPosition(1), 3);
  // The query list was not touched by the result move.
  EXPECT_EQ(doc.Fields[3].QueryIndex, 2);
}

TEST(DocumentLists, ExchangeWithAnEmptyOrImpossiblePositionHandsOutNoRepeat) {
  Document doc = ThreeFieldsInAllLists();
  doc.SetQueryBox(3, false);  // positions 1, 2
  doc.ExchangeQueryPositions(2, 3);
  // Nobody held 3, so field 2 takes it and no field keeps 2.
  EXPECT_EQ(doc.Fields[2].QueryIndex, 3);
  EXPECT_EQ(doc.FieldAtQueryPosition(2), 0);

  doc.ExchangeQueryPositions(0, 1);
  doc.ExchangeQueryPositions(1, 256);
  EXPECT_EQ(doc.Fields[1].QueryIndex, 1);
  // Fields beyond FieldCount are never found.
  doc.Fields[4].ResultIndex = 9;
  EXPECT_EQ(doc.FieldAtResultPosition(9), 0);
}

// A design restored after later edits brings back the fields and ticks as they were, and the
// edits that merge into one undo step are those of one text alone.
TEST(FieldDesc, TypeSetsTheNumberSizeThatHoldsEveryValue) {
  TFieldDesc field;
  SetFieldType(field, true);
  EXPECT_EQ(field.DataType, kTypeNumeric);
  EXPECT_EQ(field.NumSize, 4);
  SetFieldType(field, false);
  EXPECT_EQ(field.DataType, kTypeText);
  EXPECT_EQ(field.NumSize, 0);
}

TEST(FieldDesc, FlagsHoldEachOptionInItsOwnBit) {
  EXPECT_EQ(FieldFlags(false, false, false, false), 0);
  EXPECT_EQ(FieldFlags(true, false, false, false), 1);
  EXPECT_EQ(FieldFlags(false, true, false, false), 2);
  EXPECT_EQ(FieldFlags(false, false, true, false), 4);
  EXPECT_EQ(FieldFlags(false, false, false, true), 8);
}

TEST(DocumentDesign, RestoresFieldsAndTellsLoneTextEdits) {
  Document doc = ThreeFieldsInAllLists();
  const DocumentDesign before = TakeDesign(doc, "Staff", ";", true);
  doc.Fields[2].Name = "Phone";
  doc.SetQueryBox(1, false);
  RestoreDesign(doc, before);
  EXPECT_EQ(TakeDesign(doc, "Staff", ";", true), before);

  const struct {
    void (*edit)(DocumentDesign&);
    int lone_text;
  } cases[] = {
      {[](DocumentDesign&) {}, -1},
      {[](DocumentDesign& d) { d.database_name += "x"; }, 0},
      {[](DocumentDesign& d) { d.fields[3].Name = "x"; }, 3},
      {[](DocumentDesign& d) { d.fields[3].Flags = 1; }, -1},
      {[](DocumentDesign& d) { d.fields[1].Name = d.fields[2].Name = "x"; }, -1},
      {[](DocumentDesign& d) { d.database_name += "x", d.splitter = ","; }, -1},
  };
  for (const auto& c : cases) {
    DocumentDesign after = before;
    c.edit(after);
    EXPECT_EQ(LoneTextEdited(before, after), c.lone_text);
  }
}

}  // namespace
}  // namespace designer
