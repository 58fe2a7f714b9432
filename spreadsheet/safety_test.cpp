// Damaged and oversized input: refused with a Russian message that names the file and the part.
#include <gtest/gtest.h>
#include <zip.h>

#include <map>

#include "common/test/scratch_folder.h"
#include "spreadsheet/row_assembler.h"
#include "spreadsheet/test/collect_rows.h"
#include "spreadsheet/workbook.h"

namespace spreadsheet {
namespace {

using testing::CollectRows;

// A zip file of `members` (name, content), deflated.
std::string Zip(const testing_support::ScratchFolder& folder, const std::string& name,
                const std::map<std::string, std::string>& members) {
  const std::string path = folder.File(name);
  zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
  for (const auto& [member, content] : members)
    zip_file_add(zip, member.c_str(), zip_source_buffer(zip, content.data(), content.size(), 0),
                 ZIP_FL_OVERWRITE);
  zip_close(zip);
  return path;
}

std::string Xlsx(const testing_support::ScratchFolder& folder, const std::string& sheet_xml) {
  const std::string relationships =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  const std::string type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  return Zip(folder, "book.xlsx",
             {{"_rels/.rels", relationships + "<Relationship Id=\"r\" Type=\"" + type +
                                  "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
              {"xl/workbook.xml",
               "<workbook><sheets><sheet name=\"Лист1\" r:id=\"s\" "
               "xmlns:r=\"r\"/></sheets></workbook>"},
              {"xl/_rels/workbook.xml.rels",
               relationships + "<Relationship Id=\"s\" Type=\"" + type +
                   "worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
              {"xl/worksheets/sheet1.xml",
               "<worksheet><sheetData>" + sheet_xml + "</sheetData></worksheet>"}});
}

std::string Ods(const testing_support::ScratchFolder& folder, const std::string& rows_xml) {
  return Zip(folder, "book.ods",
             {{"content.xml",
               "<c xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
               "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
               "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\">"
               "<table:table table:name=\"Т\">" +
                   rows_xml + "</table:table></c>"}});
}

// Letters that pack poorly, so a long text passes the archive's packing limit.
std::string Letters(std::size_t count) {
  std::string letters;
  for (std::uint32_t seed = 1; letters.size() < count;) {
    seed = seed * 1103515245 + 12345;
    letters += static_cast<char>('a' + (seed >> 16) % 26);
  }
  return letters;
}

// The message of opening and reading the first sheet of `path`, with the rows given before.
Status ReadFirst(const std::string& path, CollectRows& sink) {
  WorkbookOr book = OpenWorkbook(path);
  if (!book.ok()) return book.status();
  SheetWarnings warnings;
  return book.value()->ReadSheet(0, sink, warnings);
}

TEST(Safety, SheetsPastTheLimitsAndBadMarkupAreRefused) {
  const std::string x =
      "<table:table-cell office:value-type=\"string\"><text:p>x</text:p></table:table-cell>";
  const struct {
    bool ods;
    std::string xml;
    const char* phrase;
  } cases[] = {
      {false, "<row r=\"1\"><c r=\"XFE1\" t=\"str\"><v>x</v></c></row>", "больше 16 384 столбцов"},
      {false, "<row r=\"1048577\"><c r=\"A1048577\" t=\"str\"><v>x</v></c></row>",
       "больше 1 048 576 строк"},
      {false, "<row r=\"2\"/><row r=\"1\"/>", "строки идут не по порядку"},
      {false, "<row><c t=\"s\"><v>7</v></c></row>", "нет общей строки номер «7»"},
      {false, "<row><c><v>abc</v></c></row>", "Лист1!A1: значение «abc» не прочитать"},
      {false, "<row><c>", "разметка XML повреждена"},
      {false,
       "<row><c t=\"inlineStr\"><is><t>" + Letters(kMaxCellBytes + 1) + "</t></is></c></row>",
       "«book.xlsx»: Лист1!A1: в ячейке больше 32 767 знаков"},
      {true,
       "<table:table-row/><table:table-row><table:table-cell><text:p>" +
           Letters(kMaxCellBytes + 1) + "</text:p></table:table-cell></table:table-row>",
       "«book.ods»: Т!A2: в ячейке больше 32 767 знаков"},
      {true, "<table:table-row table:number-rows-repeated=\"1048577\">" + x + "</table:table-row>",
       "больше 1 048 576 строк"},
      {true,
       "<table:table-row><table:table-cell table:number-columns-repeated=\"16384\"/>" + x +
           "</table:table-row>",
       "больше 16 384 столбцов"},
  };
  for (const auto& c : cases) {
    testing_support::ScratchFolder folder;
    CollectRows sink;
    const Status status = ReadFirst(c.ods ? Ods(folder, c.xml) : Xlsx(folder, c.xml), sink);
    EXPECT_FALSE(status.ok()) << c.xml;
    EXPECT_NE(status.message().find(c.ods ? "«book.ods»" : "«book.xlsx»"), std::string::npos);
    EXPECT_NE(status.message().find(c.phrase), std::string::npos) << status.message();
  }
}

TEST(Safety, EmptyRepeatsCostNothingAndGiveNothing) {
  testing_support::ScratchFolder folder;
  CollectRows sink;
  const Status status = ReadFirst(
      Ods(folder,
          "<table:table-row><table:table-cell table:number-columns-repeated=\"16384\"/>"
          "</table:table-row><table:table-row table:number-rows-repeated=\"1048575\">"
          "<table:table-cell table:number-columns-repeated=\"16384\"/></table:table-row>"),
      sink);
  EXPECT_TRUE(status.ok()) << status.message();
  EXPECT_TRUE(sink.rows.empty());
}

TEST(Safety, ArchiveMembersThatUnpackTooFarAreRefused) {
  testing_support::ScratchFolder folder;
  CollectRows sink;
  const Status status =
      ReadFirst(Zip(folder, "bomb.xlsx", {{"_rels/.rels", std::string(1 << 20, ' ')}}), sink);
  EXPECT_NE(status.message().find("«bomb.xlsx»: _rels/.rels: сжата больше чем в 200 раз"),
            std::string::npos)
      << status.message();
}

TEST(Safety, DamagedFilesNameTheFile) {
  testing_support::ScratchFolder folder;
  const std::string real = testing_support::ReadBytes(SPREADSHEET_TESTDATA "/table.xlsx");
  // On overread.xls the .xls library reads past a buffer of its own: under AddressSanitizer the
  // child process reading it dies, elsewhere the library refuses its text; damaged either way.
  for (const auto& [name, bytes] :
       {std::pair{"cut.xlsx", real.substr(0, real.size() / 2)},
        {"text.ods", std::string("hello")},
        {"text.xls", std::string(600, 'x')},
        {"overread.xls", testing_support::ReadBytes(XLS_FUZZ_SEEDS "/freexl-1.0.6-overread.xls")},
        {"text.dbf", std::string("\x03 short")}}) {
    CollectRows sink;
    const Status status = ReadFirst(folder.Write(name, bytes), sink);
    EXPECT_EQ(status.kind(), StatusKind::kError) << name;
    EXPECT_EQ(status.message().rfind(std::string("Не удалось прочитать файл «") + name + "»: ", 0),
              0u)
        << status.message();
  }
  CollectRows sink;
  EXPECT_EQ(ReadFirst(folder.File("missing.xlsx"), sink).kind(), StatusKind::kNoInput);
}

}  // namespace
}  // namespace spreadsheet
