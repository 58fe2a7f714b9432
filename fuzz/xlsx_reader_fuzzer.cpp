// The .xlsx reader on arbitrary bytes, from memory. An odd first byte gives the rest as the
// archive itself; an even one cuts the rest at NUL bytes into the sheet, the shared strings,
// the cell formats and the workbook part of an archive made around them.
#include <cstddef>
#include <cstdint>

#include "fuzz/spreadsheet_support.h"

namespace {

const char kType[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

std::string Relationship(const std::string& id, const std::string& type,
                         const std::string& target) {
  return "<Relationship Id=\"" + id + "\" Type=\"" + kType + type + "\" Target=\"" + target +
         "\"/>";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string archive;
  if (data[0] & 1) {
    archive = std::string(input);
  } else {
    std::vector<std::string> parts = fuzz::Parts(input, 4);
    if (parts[3].empty())
      parts[3] =
          "<workbook><sheets><sheet name=\"Лист1\" r:id=\"s\" xmlns:r=\"r\"/></sheets></workbook>";
    archive = fuzz::StoredZip(
        {{"_rels/.rels", "<Relationships>" +
                             Relationship("r", "officeDocument", "xl/workbook.xml") +
                             "</Relationships>"},
         {"xl/workbook.xml", parts[3]},
         {"xl/_rels/workbook.xml.rels",
          "<Relationships>" + Relationship("s", "worksheet", "worksheets/sheet1.xml") +
              Relationship("t", "sharedStrings", "sharedStrings.xml") +
              Relationship("u", "styles", "styles.xml") + "</Relationships>"},
         {"xl/worksheets/sheet1.xml", parts[0]},
         {"xl/sharedStrings.xml", parts[1]},
         {"xl/styles.xml", parts[2]}});
  }
  fuzz::ReadEverySheet(spreadsheet::OpenWorkbookInMemory(spreadsheet::WorkbookKind::kXlsx,
                                                         std::move(archive), "fuzz.xlsx"));
  return 0;
}
