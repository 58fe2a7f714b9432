// MainWindow's side of a table import: the import dialog in the open command, and a CSV document
// read again when the splitter box is given another splitter.
#include <QFile>
#include <QLineEdit>

#include "designer/model/csv_detect.h"
#include "designer/model/csv_import.h"
#include "designer/model/sheet_table.h"
#include "designer/window/edit_history.h"
#include "designer/window/main_window.h"
#include "designer/window/recent_files.h"
#include "window_common/cp1251_text.h"

namespace designer {

void MainWindow::OpenCsv(const QString& path) {
  const std::string native_path = QFile::encodeName(path).toStdString();
  // A file that is no text is refused before the dialog shows any of its bytes.
  const StatusOr<CsvGuess> guess = GuessCsvFile(native_path, std::nullopt, Splitter());
  if (!guess.ok()) {
    ReportStatus(*dialogs_, guess.status());
    return;
  }
  if (!MayDiscardDocument()) return;
  const std::optional<CsvSettings> chosen =
      dialogs_->ChooseImportSettings(path, guess.value(), CutLongLines());
  if (!chosen) return;  // Отмена: the document stays as it is
  ImportTable(path, *chosen);
}

void MainWindow::OpenWorkbook(const QString& path) {
  // A file no reader takes is refused before the dialog, and before the unsaved-edits question.
  const auto sheets = ListSheets(QFile::encodeName(path).toStdString());
  if (!sheets.ok()) {
    ReportStatus(*dialogs_, sheets.status());
    return;
  }
  if (!MayDiscardDocument()) return;
  const std::optional<CsvSettings> chosen =
      dialogs_->ChooseSheetSettings(path, sheets.value(), CutLongLines());
  if (chosen) ImportTable(path, *chosen);
}

void MainWindow::ImportTable(const QString& path, const CsvSettings& chosen) {
  const std::string native_path = QFile::encodeName(path).toStdString();
  ReadResult result;
  BeginLongRun(false);
  const Status status = LoadCSV(doc_, native_path, ImportReading(chosen), result);
  EndLongRun();
  ShowReadResult(status, result);
  if (status.ok()) {
    read_splitter_ = Splitter();
    ShowFileInTitle(path);
    recent_->Add(path);
  }
  ReportStatus(*dialogs_, status);
}

ReadOptions MainWindow::ImportReading(const CsvSettings& chosen) {
  ReadOptions options = ReadingOptions();
  options.splitter = chosen.splitter;
  options.encoding = chosen.encoding;
  options.ask = [names = chosen.first_line_has_names](const std::string&) { return names; };
  options.quoted = chosen.quoted;
  options.skip_lines = chosen.skip_lines;
  options.sheet = chosen.sheet;
  return options;
}

bool MainWindow::SettleSplitter() {
  // A table read through a design's column map keeps its reading; the box is the save's splitter.
  const bool csv = doc_.FieldCount > 0 && !doc_.SourceIsFsr && !doc_.SourceIsDatabase &&
                   doc_.SourceSheet.empty() && !doc_.SourceColumns;
  const std::string splitter = Splitter();
  if (!csv || rereading_ || splitter == read_splitter_) return true;
  rereading_ = true;  // the questions below take the focus from the box, which ends its editing
  const auto keep_document = [this] {
    splitter_->setText(window_common::FromCp1251(read_splitter_));
    rereading_ = false;
    return false;
  };
  Document reread;
  ReadResult result;
  BeginLongRun(false);
  const Status status = RereadCSV(
      doc_, splitter, [this](int records) { ShowRunningCount(records); }, reread, result);
  EndLongRun();
  if (!status.ok()) {
    result.status = DocumentStatus(doc_);
    ShowReadResult(status, result);
    ReportStatus(*dialogs_, status);
    return keep_document();
  }
  // Another number of fields reads the fields afresh, so their edits would be lost: the close
  // question first, its save with the splitter the document was read with.
  if (reread.FieldCount != doc_.FieldCount) {
    splitter_->setText(window_common::FromCp1251(read_splitter_));
    if (!MayDiscardDocument() || doc_.SourceIsFsr) return keep_document();
    splitter_->setText(window_common::FromCp1251(splitter));
  }
  doc_ = std::move(reread);
  ShowReadResult(status, result);
  // A new reading is no step to undo, and the document it gives is not the one saved.
  history_->MarkModified();
  read_splitter_ = Splitter();
  rereading_ = false;
  return true;
}

}  // namespace designer
