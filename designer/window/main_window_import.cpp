// MainWindow's side of a CSV import: the import dialog in the open command, and a CSV document
// read again when the splitter box is given another splitter.
#include <QFile>
#include <QLineEdit>

#include "designer/model/csv_detect.h"
#include "designer/model/csv_import.h"
#include "designer/window/document_text.h"
#include "designer/window/main_window.h"

namespace designer {

void MainWindow::OpenCsv(const QString& path) {
  const std::string native_path = QFile::encodeName(path).toStdString();
  // A file that is no text is refused before the dialog shows any of its bytes.
  CsvGuess guess;
  if (const Status guessed = GuessCsvFile(native_path, std::nullopt, Splitter(), guess);
      !guessed.ok()) {
    ReportStatus(*dialogs_, guessed);
    return;
  }
  const std::optional<CsvSettings> chosen =
      dialogs_->ChooseImportSettings(path, guess, CutLongLines());
  if (!chosen) return;  // Отмена: the document stays as it is

  ReadOptions options = ReadingOptions();
  options.splitter = chosen->splitter;
  options.encoding = chosen->encoding;
  options.ask = [names = chosen->first_line_has_names](const std::string&) { return names; };
  options.quoted = chosen->quoted;
  options.skip_lines = chosen->skip_lines;
  ReadResult result;
  const Status status = LoadCSV(doc_, native_path, options, result);
  ShowReadResult(status, result);
  if (status.ok()) read_splitter_ = Splitter();
  ReportStatus(*dialogs_, status);
}

bool MainWindow::SettleSplitter() {
  const bool csv = doc_.FieldCount > 0 && !doc_.SourceIsFsr && !doc_.SourceIsDatabase;
  const std::string splitter = Splitter();
  if (!csv || rereading_ || splitter == read_splitter_) return true;
  rereading_ = true;  // the questions below take the focus from the box, which ends its editing
  const auto keep_document = [this] {
    splitter_->setText(FromDocument(read_splitter_));
    rereading_ = false;
    return false;
  };
  Document reread;
  ReadResult result;
  const Status status = RereadCSV(
      doc_, splitter, [this](int records) { ShowRunningCount(records); }, reread, result);
  if (!status.ok()) {
    result.status = DocumentStatus(doc_);
    ShowReadResult(status, result);
    ReportStatus(*dialogs_, status);
    return keep_document();
  }
  // Edits of the fields are lost when they are read afresh; the name and the cut option stay.
  const DocumentState now = CurrentState();
  const bool has_edits =
      now.fields != saved_state_.fields || now.field_count != saved_state_.field_count;
  const bool fields_kept = reread.FieldCount == doc_.FieldCount;
  if (!fields_kept && has_edits) {
    // The question the window asks before closing (main_window_commands.cpp).
    switch (dialogs_->AskYesNoCancel(QString::fromUtf8("Сохранить изменения в справочнике?"))) {
      case Answer::kYes: {
        // Saved as it was read, with its own splitter.
        splitter_->setText(FromDocument(read_splitter_));
        if (!Save() || doc_.SourceIsFsr) return keep_document();
        splitter_->setText(FromDocument(splitter));
        break;
      }
      case Answer::kNo:
        break;
      case Answer::kCancel:
        return keep_document();
    }
  }
  const DocumentState before = saved_state_;
  doc_ = std::move(reread);
  ShowReadResult(status, result);
  // What the new reading did not replace is as saved, or not, as it was.
  saved_state_.database_name = before.database_name;
  saved_state_.cut_long_lines = before.cut_long_lines;
  if (fields_kept) {
    saved_state_.fields = before.fields;
    saved_state_.field_count = before.field_count;
  }
  read_splitter_ = Splitter();
  rereading_ = false;
  return true;
}

}  // namespace designer
