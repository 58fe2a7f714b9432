// The designer's one document: the description of a reference book plus the link to the file
// that holds its data lines. Data lines are never held here, only their count and the first
// twenty of them split into values for the preview.
//
// Texts (names, samples) are Windows-1251 bytes as they stand in the files.
// Arrays are indexed as the format counts: Fields[1..10], SampleValues[1..20][1..5]; index 0 is
// unused so that every rule reads the way the file format and the screens count.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/text_encoding.h"
#include "format/source_grammar.h"
#include "format/source_values.h"

namespace designer {

inline constexpr int kFieldTableSize = format::kMaxFields;  // entries of the field table
inline constexpr int kMaxDocumentFields = 5;  // fields the screens, samples and import handle
inline constexpr int kSampleRecords = 20;     // records kept for the preview
inline constexpr std::size_t kMaxNameLength = format::kMaxFieldNameBytes;

// The encoding of the file the data lines are copied from. Source files are always Windows-1251;
// a CSV file may be UTF-8, and is then converted wherever its text enters the document or a
// source file.
using TextEncoding = codepage::TextEncoding;

using format::kTypeNumeric;
using format::kTypeText;

using format::FieldFlags;
using format::kFlagDigitsOnly;
using format::kFlagIgnoreCase;
using format::kFlagSearchWithin;
using format::kFlagUpperCase;

using format::kMaxDescriptorValue;
using format::kMaxNumericSize;

struct TFieldDesc {
  std::string Name;  // at most 16 bytes
  std::uint8_t DataType = 0;
  std::uint8_t Flags = 0;
  std::uint8_t NumSize = 0;
  std::uint8_t QueryIndex = 0;   // 1-based position on the input screen; 0 = no input box
  std::uint8_t ResultIndex = 0;  // 1-based column of the result list; 0 = not shown
  std::uint8_t DetailIndex = 0;
  std::int32_t EditWidth = 0;
  std::int32_t ResultWidth = 0;
  std::int32_t MaxLen = 0;

  friend bool operator==(const TFieldDesc&, const TFieldDesc&) = default;
};

// The first 16 bytes of `name`: every writer of a name keeps that much.
std::string CutName(const std::string& name);

// The number a source file's field block holds as `value` (any but the name), and its setting:
// the 8-bit members keep the number's low 8 bits.
std::int32_t FieldNumber(const TFieldDesc& field, format::FieldValue value);
void SetFieldNumber(TFieldDesc& field, format::FieldValue value, std::int32_t number);

// Makes `field` numeric, with the largest number size, which holds every 32-bit value; or text,
// without a number size.
void SetFieldType(TFieldDesc& field, bool numeric);

// A field name taken from the first line of a UTF-8 file where it held a character that
// Windows-1251 lacks: the name as imported, with "?" in that character's place, and the character
// described. A save refuses the field while its name is still this text; renaming it settles it.
struct UnmappableName {
  std::string imported;
  std::string character;
};

struct Document {
  std::array<TFieldDesc, kFieldTableSize + 1> Fields{};
  std::array<std::optional<UnmappableName>, kMaxDocumentFields + 1> UnmappableNames{};
  std::int32_t FieldCount = 0;  // 0: nothing loaded
  std::int32_t RecordCount = 0;
  std::string SourceFileName;  // native path of the file the data lines are copied from
  bool SourceIsFsr = false;
  // SourceFileName names a table database, whose records a save writes as data lines.
  bool SourceIsDatabase = false;
  TextEncoding SourceEncoding = TextEncoding::kCp1251;  // names and samples are Windows-1251 anyway
  // How a CSV source's records were read, so that a save (and a new splitter) reads them alike:
  // the splitter (document text), whether values may stand in quotes (a save then writes each
  // record as its values joined by the save's splitter instead of copying its line), and the
  // lines passed over before the first line. A source file or a book: ";", false and 0.
  std::string SourceSplitter = ";";
  bool SourceQuoted = false;
  std::int32_t SourceSkipLines = 0;
  // A CSV source whose columns are not the fields one for one (a design applied to a new table,
  // design_reuse.h): its records hold `columns` values, and field i reads column of_field[i]
  // (1-based). A save then writes each record as the fields' values joined by the save's
  // splitter. None: field i is column i.
  struct ColumnMap {
    std::int32_t columns = 0;
    std::array<std::int32_t, kMaxDocumentFields + 1> of_field{};
  };
  std::optional<ColumnMap> SourceColumns;
  // A workbook's source (a spreadsheet, a dBASE table): the sheet its records come from, by name
  // (UTF-8). Its rows are read as cells and written like values read with quotes; SourceSkipLines
  // counts rows. Empty for every other source.
  std::string SourceSheet;
  std::int32_t HeaderLineCount = 0;
  bool FirstLineHasNames = false;
  std::array<std::array<std::string, kMaxDocumentFields + 1>, kSampleRecords + 1> SampleValues{};

  // Tick state of the field grid's query and result check boxes, rows 1..5, and
  // whether each row's pair is shown. The window mirrors these; the rules below keep
  // QueryIndex and ResultIndex of fields 1..FieldCount at 1..k without gaps or repeats.
  std::array<bool, kMaxDocumentFields + 1> QueryBoxTicked{};
  std::array<bool, kMaxDocumentFields + 1> ResultBoxTicked{};
  std::array<bool, kMaxDocumentFields + 1> BoxesShown{false, true, true, true, true, true};

  // Ticking or unticking query box `row` (1..5). The list rule runs only when the tick changes:
  // ticking gives a field without a position the largest position in use + 1; unticking takes
  // the field out and closes the gap.
  void SetQueryBox(int row, bool ticked);
  void SetResultBox(int row, bool ticked);

  // The first field (1..FieldCount, in field order) at input position / result column
  // `position`; 0 when no field holds it.
  int FieldAtQueryPosition(int position) const;
  int FieldAtResultPosition(int position) const;

  // Moving in a list: the field at position `a` takes `b` and the field at `b` takes `a`; a
  // position that no field holds is simply not handed out. Positions outside 1..255 change
  // nothing.
  void ExchangeQueryPositions(int a, int b);
  void ExchangeResultPositions(int a, int b);

  // Every member of all ten entries set to zero, and no unmappable name left.
  void ClearFields();

  // The source is no CSV file: SourceEncoding Windows-1251 and the CSV reading at its defaults.
  void ResetSourceReading();
};

// Whether a save writes the records of `doc`'s source as their values joined by the save's
// splitter (values read with quotes, a workbook's cells, fields read through a column map) rather
// than copying its lines.
inline bool HasCellRecords(const Document& doc) {
  return doc.SourceQuoted || !doc.SourceSheet.empty() || doc.SourceColumns.has_value();
}

}  // namespace designer
