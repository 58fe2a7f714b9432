#include "designer/model/document.h"

#include <algorithm>

#include "designer/model/document_io.h"
#include "designer/model/text_file.h"

namespace designer {
namespace {

using IndexMember = std::uint8_t TFieldDesc::*;

std::uint8_t LargestInUse(const Document& doc, IndexMember member) {
  std::uint8_t largest = 0;
  for (int i = 1; i <= std::min(doc.FieldCount, kFieldTableSize); ++i) {
    largest = std::max(largest, doc.Fields[i].*member);
  }
  return largest;
}

void AddToList(Document& doc, int field, IndexMember member) {
  if (doc.Fields[field].*member == 0) {
    doc.Fields[field].*member = static_cast<std::uint8_t>(LargestInUse(doc, member) + 1);
  }
}

void RemoveFromList(Document& doc, int field, IndexMember member) {
  const std::uint8_t gone = doc.Fields[field].*member;
  if (gone == 0) return;
  for (int i = 1; i <= std::min(doc.FieldCount, kFieldTableSize); ++i) {
    if (doc.Fields[i].*member > gone) --(doc.Fields[i].*member);
  }
  doc.Fields[field].*member = 0;
}

void SetBox(Document& doc, std::array<bool, kMaxDocumentFields + 1>& boxes, int row, bool ticked,
            IndexMember member) {
  if (row < 1 || row > kMaxDocumentFields || boxes[row] == ticked) return;
  boxes[row] = ticked;
  if (ticked) {
    AddToList(doc, row, member);
  } else {
    RemoveFromList(doc, row, member);
  }
}

int FieldAt(const Document& doc, IndexMember member, int position) {
  if (position < 1) return 0;
  for (int i = 1; i <= std::min(doc.FieldCount, kFieldTableSize); ++i) {
    if (doc.Fields[i].*member == position) return i;
  }
  return 0;
}

void Exchange(Document& doc, IndexMember member, int a, int b) {
  constexpr int kLargestPosition = 255;
  if (a < 1 || b < 1 || a > kLargestPosition || b > kLargestPosition) return;
  const int field_a = FieldAt(doc, member, a);
  const int field_b = FieldAt(doc, member, b);
  if (field_a != 0) doc.Fields[field_a].*member = static_cast<std::uint8_t>(b);
  if (field_b != 0) doc.Fields[field_b].*member = static_cast<std::uint8_t>(a);
}

}  // namespace

std::string CutName(const std::string& name) { return name.substr(0, kMaxNameLength); }

namespace {

// The member that holds `value` in a field, as a pointer of its own width.
template <typename Field>
auto MemberOf(Field& field, format::FieldValue value) {
  using Small = decltype(&field.DataType);
  using Wide = decltype(&field.EditWidth);
  using format::FieldValue;
  struct Member {
    Small small = nullptr;
    Wide wide = nullptr;
  };
  switch (value) {
    case FieldValue::kName:
      break;
    case FieldValue::kType:
      return Member{&field.DataType};
    case FieldValue::kFlags:
      return Member{&field.Flags};
    case FieldValue::kNumSize:
      return Member{&field.NumSize};
    case FieldValue::kQueryIndex:
      return Member{&field.QueryIndex};
    case FieldValue::kResultIndex:
      return Member{&field.ResultIndex};
    case FieldValue::kDetailIndex:
      return Member{&field.DetailIndex};
    case FieldValue::kEditWidth:
      return Member{nullptr, &field.EditWidth};
    case FieldValue::kResultWidth:
      return Member{nullptr, &field.ResultWidth};
    case FieldValue::kMaxSize:
      return Member{nullptr, &field.MaxLen};
  }
  return Member{};
}

}  // namespace

std::int32_t FieldNumber(const TFieldDesc& field, format::FieldValue value) {
  const auto member = MemberOf(field, value);
  if (member.small != nullptr) return *member.small;
  return member.wide != nullptr ? *member.wide : 0;
}

void SetFieldNumber(TFieldDesc& field, format::FieldValue value, std::int32_t number) {
  const auto member = MemberOf(field, value);
  if (member.small != nullptr) *member.small = static_cast<std::uint8_t>(number);
  if (member.wide != nullptr) *member.wide = number;
}

void SetFieldType(TFieldDesc& field, bool numeric) {
  field.DataType = numeric ? kTypeNumeric : kTypeText;
  field.NumSize = numeric ? kMaxNumericSize : 0;
}

void Document::SetQueryBox(int row, bool ticked) {
  SetBox(*this, QueryBoxTicked, row, ticked, &TFieldDesc::QueryIndex);
}

void Document::SetResultBox(int row, bool ticked) {
  SetBox(*this, ResultBoxTicked, row, ticked, &TFieldDesc::ResultIndex);
}

int Document::FieldAtQueryPosition(int position) const {
  return FieldAt(*this, &TFieldDesc::QueryIndex, position);
}

int Document::FieldAtResultPosition(int position) const {
  return FieldAt(*this, &TFieldDesc::ResultIndex, position);
}

void Document::ExchangeQueryPositions(int a, int b) {
  Exchange(*this, &TFieldDesc::QueryIndex, a, b);
}

void Document::ExchangeResultPositions(int a, int b) {
  Exchange(*this, &TFieldDesc::ResultIndex, a, b);
}

void Document::ClearFields() {
  Fields.fill(TFieldDesc{});
  UnmappableNames.fill(std::nullopt);
}

StatusTexts DocumentStatus(const Document& doc) {
  if (doc.FieldCount == 0) return {};
  return {"файл: " + FileNameForMessage(doc.SourceFileName),
          "полей: " + std::to_string(doc.FieldCount),
          "записей: " + std::to_string(doc.RecordCount)};
}

void Document::ResetSourceReading() {
  SourceEncoding = TextEncoding::kCp1251;
  SourceSplitter = ";";
  SourceQuoted = false;
  SourceSkipLines = 0;
  SourceColumns.reset();
  SourceSheet.clear();
}

}  // namespace designer
