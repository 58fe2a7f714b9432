// The element and attribute names of OpenDocument spreadsheets that the reader looks at, as the
// XML parser gives them ("namespace|local").
#pragma once

#include <string_view>

namespace spreadsheet::ods {

#define BWICK_ODS_TABLE "urn:oasis:names:tc:opendocument:xmlns:table:1.0|"
#define BWICK_ODS_OFFICE "urn:oasis:names:tc:opendocument:xmlns:office:1.0|"
#define BWICK_ODS_TEXT "urn:oasis:names:tc:opendocument:xmlns:text:1.0|"
#define BWICK_ODS_STYLE "urn:oasis:names:tc:opendocument:xmlns:style:1.0|"

constexpr std::string_view kTable = BWICK_ODS_TABLE "table";
constexpr std::string_view kRow = BWICK_ODS_TABLE "table-row";
constexpr std::string_view kCell = BWICK_ODS_TABLE "table-cell";
constexpr std::string_view kCoveredCell = BWICK_ODS_TABLE "covered-table-cell";
constexpr std::string_view kName = BWICK_ODS_TABLE "name";
constexpr std::string_view kStyleName = BWICK_ODS_TABLE "style-name";
constexpr std::string_view kDisplay = BWICK_ODS_TABLE "display";
constexpr std::string_view kRowsRepeated = BWICK_ODS_TABLE "number-rows-repeated";
constexpr std::string_view kColumnsRepeated = BWICK_ODS_TABLE "number-columns-repeated";
constexpr std::string_view kValueType = BWICK_ODS_OFFICE "value-type";
constexpr std::string_view kValue = BWICK_ODS_OFFICE "value";
constexpr std::string_view kDateValue = BWICK_ODS_OFFICE "date-value";
constexpr std::string_view kTimeValue = BWICK_ODS_OFFICE "time-value";
constexpr std::string_view kBooleanValue = BWICK_ODS_OFFICE "boolean-value";
constexpr std::string_view kStringValue = BWICK_ODS_OFFICE "string-value";
constexpr std::string_view kAnnotation = BWICK_ODS_OFFICE "annotation";
// The office suite's own mark of an error value.
constexpr std::string_view kCalcValueType =
    "urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0|value-type";
constexpr std::string_view kParagraph = BWICK_ODS_TEXT "p";
constexpr std::string_view kSpaces = BWICK_ODS_TEXT "s";
constexpr std::string_view kSpaceCount = BWICK_ODS_TEXT "c";
constexpr std::string_view kTab = BWICK_ODS_TEXT "tab";
constexpr std::string_view kLineBreak = BWICK_ODS_TEXT "line-break";
constexpr std::string_view kStyle = BWICK_ODS_STYLE "style";
constexpr std::string_view kStyleStyleName = BWICK_ODS_STYLE "name";
constexpr std::string_view kTableProperties = BWICK_ODS_STYLE "table-properties";

#undef BWICK_ODS_TABLE
#undef BWICK_ODS_OFFICE
#undef BWICK_ODS_TEXT
#undef BWICK_ODS_STYLE

}  // namespace spreadsheet::ods
