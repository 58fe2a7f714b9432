// MainWindow's refresh of the data: a new table given the open document's design.
#include <QFile>
#include <QLabel>
#include <QLineEdit>

#include "designer/model/csv_detect.h"
#include "designer/model/design_reuse.h"
#include "designer/model/encoding.h"
#include "designer/model/sheet_table.h"
#include "designer/model/table_source.h"
#include "designer/window/edit_history.h"
#include "designer/window/main_window.h"
#include "designer/window/structure_editor.h"
#include "window_common/cp1251_text.h"

namespace designer {

namespace {

const char kTableFilter[] =
    "Таблицы (*.csv, *.txt, *.tsv, *.xlsx, *.ods, *.xls, *.dbf)|"
    "*.csv;*.txt;*.tsv;*.xlsx;*.ods;*.xls;*.dbf|Все файлы (*.*)|*.*";

// Whether the two documents read their data lines from the same file in the same way.
bool SameSource(const Document& a, const Document& b) {
  return a.SourceFileName == b.SourceFileName && a.SourceIsFsr == b.SourceIsFsr &&
         a.SourceIsDatabase == b.SourceIsDatabase;
}

QStringList Lines(const std::vector<std::string>& texts) {
  QStringList lines;
  for (const std::string& text : texts) lines << QString::fromStdString(text);
  return lines;
}

}  // namespace

void MainWindow::RefreshDataCommand() {
  if (doc_.FieldCount == 0) {
    dialogs_->ShowMessage(MessageKind::kPlain,
                          QString::fromUtf8("Нечего обновлять: откройте справочник, оформление "
                                            "которого получат новые данные."));
    return;
  }
  const std::optional<QString> chosen =
      dialogs_->ChooseFileToOpen(last_open_path_, QtFileFilters(QString::fromUtf8(kTableFilter)));
  if (!chosen) return;
  const QString& path = *chosen;
  std::string splitter;
  QStringList match;
  QStringList warnings;
  const std::optional<Document> refreshed = ReadWithDesign(path, splitter, match, warnings);
  ShowDocumentStatus();
  if (!refreshed || !dialogs_->ConfirmDesignMatch(match, warnings)) return;
  const Document before = doc_;
  const std::string before_splitter = Splitter();
  history_->Replace(
      [this, before, after = *refreshed, before_splitter] {
        SwapDocument(after, before, before_splitter);
      },
      [this, before, after = *refreshed, splitter] { SwapDocument(before, after, splitter); });
}

std::optional<Document> MainWindow::ReadWithDesign(const QString& path, std::string& splitter,
                                                   QStringList& match, QStringList& warnings) {
  const std::string native_path = QFile::encodeName(path).toStdString();
  const std::optional<CsvSettings> chosen = ChooseTableSettings(path);
  if (!chosen) return std::nullopt;

  Document table;
  ReadResult read;
  BeginLongRun(false);
  const Status status = ReadTableDocument(native_path, ImportReading(*chosen), table, read);
  StatusOr<RefreshedDesign> refreshed =
      status.ok()
          ? RefreshDesign(doc_, table, {.progress = [this](std::int64_t) { AnswerWhenDue(); }})
          : status;
  EndLongRun();
  ReportStatus(*dialogs_, refreshed.status());
  if (!refreshed.ok()) return std::nullopt;
  splitter = read.splitter.value_or(chosen->splitter);
  match = Lines(refreshed->match);
  warnings = Lines(refreshed->warnings);
  return std::move(refreshed->document);
}

std::optional<CsvSettings> MainWindow::ChooseTableSettings(const QString& path) {
  const std::string native_path = QFile::encodeName(path).toStdString();
  // A file no reader takes is refused before the dialog shows any of it.
  if (IsWorkbookPath(native_path)) {
    const auto sheets = ListSheets(native_path);
    if (!sheets.ok()) {
      ReportStatus(*dialogs_, sheets.status());
      return std::nullopt;
    }
    return dialogs_->ChooseSheetSettings(path, sheets.value(), CutLongLines());
  }
  const StatusOr<CsvGuess> guess = GuessCsvFile(native_path, std::nullopt, Splitter());
  if (!guess.ok()) {
    ReportStatus(*dialogs_, guess.status());
    return std::nullopt;
  }
  return dialogs_->ChooseImportSettings(path, guess.value(), CutLongLines());
}

void MainWindow::SwapDocument(const Document& from, const Document& to,
                              const std::string& splitter) {
  if (SameSource(doc_, from)) {
    doc_ = to;
    splitter_->setText(window_common::FromCp1251(splitter));
    read_splitter_ = splitter;
    ShowDocumentStatus();
  } else {
    RestoreDesign(doc_, TakeDesign(to, DatabaseName(), Splitter(), CutLongLines()));
  }
  structure_editor_->ShowDocument(std::max(structure_editor_->SelectedField(), 1));
}

void MainWindow::ShowDocumentStatus() {
  const StatusTexts status = DocumentStatus(doc_);
  for (int panel = 0; panel < 3; ++panel)
    status_panels_[panel]->setText(QString::fromStdString(status[panel]));
  const bool table = !doc_.SourceIsFsr && !doc_.SourceIsDatabase;
  status_panels_[3]->setText(
      QString::fromStdString(table ? EncodingLabel(doc_.SourceEncoding) : std::string()));
}

}  // namespace designer
