#include "spreadsheet/workbook.h"

#include "common/file_extension.h"
#include "spreadsheet/dbf_book.h"
#include "spreadsheet/failure.h"
#include "spreadsheet/ods_book.h"
#include "spreadsheet/xls_book.h"
#include "spreadsheet/xlsx_book.h"
#include "spreadsheet/zip_archive.h"

namespace spreadsheet {

std::optional<WorkbookKind> KindOfFile(const std::string& path) {
  if (HasExtension(path, ".xlsx")) return WorkbookKind::kXlsx;
  if (HasExtension(path, ".ods")) return WorkbookKind::kOds;
  if (HasExtension(path, ".xls")) return WorkbookKind::kXls;
  if (HasExtension(path, ".dbf")) return WorkbookKind::kDbf;
  return std::nullopt;
}

namespace {

WorkbookOr OpenZipped(WorkbookKind kind, std::unique_ptr<ZipArchive> archive) {
  return kind == WorkbookKind::kXlsx ? OpenXlsx(std::move(archive)) : OpenOds(std::move(archive));
}

}  // namespace

WorkbookOr OpenWorkbook(const std::string& path) {
  const auto kind = KindOfFile(path);
  const std::string file = FileLabel(path);
  if (!kind) return Status::Refusal("Файл «" + file + "» — не таблица .xlsx, .ods, .xls или .dbf");
  if (*kind == WorkbookKind::kXls) return OpenXls(path);
  if (*kind == WorkbookKind::kDbf) return OpenDbfFile(path);
  StatusOr<std::unique_ptr<ZipArchive>> archive = ZipArchive::OpenFile(path, file);
  if (!archive.ok()) return archive.status();
  return OpenZipped(*kind, std::move(archive).value());
}

WorkbookOr OpenWorkbookInMemory(WorkbookKind kind, std::string bytes, const std::string& name) {
  if (kind == WorkbookKind::kXls)
    return Status::Refusal("Книгу .xls можно прочитать только из файла");
  if (kind == WorkbookKind::kDbf) return OpenDbfMemory(std::move(bytes), name);
  StatusOr<std::unique_ptr<ZipArchive>> archive = ZipArchive::OpenMemory(std::move(bytes), name);
  if (!archive.ok()) return archive.status();
  return OpenZipped(kind, std::move(archive).value());
}

}  // namespace spreadsheet
