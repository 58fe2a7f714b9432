// The commands of MainWindow's menu and toolbar: open, save and export, exit, help, about.
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>

#include "common/file_extension.h"
#include "designer/model/csv_import.h"
#include "designer/model/database_source.h"
#include "designer/model/numeric_check.h"
#include "designer/model/source_file.h"
#include "designer/window/book_on_screen.h"
#include "designer/window/document_text.h"
#include "designer/window/edit_history.h"
#include "designer/window/help_texts.h"
#include "designer/window/main_window.h"
#include "designer/window/recent_files.h"
#include "designer/window/structure_editor.h"

namespace designer {

namespace {

const char kOpenFilter[] =
    "Все поддерживаемые форматы (*.csv, *.txt, *.tsv, *.xlsx, *.ods, *.xls, *.dbf, *.fsr, *.fdb, "
    "*.zdb, *.db)|*.csv;*.txt;*.tsv;*.xlsx;*.ods;*.xls;*.dbf;*.fsr;*.fdb;*.zdb;*.db|"
    "CSV (разделители - запятые) (*.csv)|*.csv|Текстовые таблицы (*.txt, "
    "*.tsv)|*.txt;*.tsv|Таблицы (*.xlsx *.ods *.xls *.dbf)|*.xlsx;*.ods;*.xls;*.dbf|"
    "BWick-данные (*.fsr)|*.fsr|"
    "Справочники КПК (*.fdb, *.zdb, *.db)|*.fdb;*.zdb;*.db|Все файлы (*.*)|*.*";
const char kSaveFilter[] = "BWick-данные (*.fsr)|*.fsr|Все файлы (*.*)|*.*";
const char kBuilderProgram[] = "bwickbuild";

// `path` with the extension of its file name (from the last ".") replaced by `extension`.
QString WithExtension(const QString& path, const char* extension) {
  const QFileInfo info(path);
  QString name = info.fileName();
  const int dot = name.lastIndexOf(QLatin1Char('.'));
  if (dot >= 0) name.truncate(dot);
  return QDir(info.path()).filePath(name + QLatin1String(extension));
}

}  // namespace

void MainWindow::OpenCommand() {
  const std::optional<QString> path =
      dialogs_->ChooseFileToOpen(last_open_path_, QtFileFilters(QString::fromUtf8(kOpenFilter)));
  if (path) OpenFile(*path);
}

// The readers set SourceFileName and the source's kind themselves and only when they succeed, so a
// refused or unreadable file leaves the open document and the file it came from together.
void MainWindow::OpenFile(const QString& path) {
  last_open_path_ = path;
  recent_->SetLastChosen(path);
  const std::string native_path = QFile::encodeName(path).toStdString();
  using Reader = Status (*)(Document&, const std::string&, const ReadOptions&, ReadResult&);
  Reader read = nullptr;
  switch (FileKindOf(native_path)) {
    case FileKind::kCsv:
      OpenCsv(path);
      return;
    case FileKind::kWorkbook:
      OpenWorkbook(path);
      return;
    case FileKind::kSourceFile:
      read = LoadFSR;
      break;
    case FileKind::kDatabase:
    case FileKind::kPackedBook:
      read = LoadDB;
      break;
    case FileKind::kOther:
      return;
  }
  if (!MayDiscardDocument()) return;
  ReadResult result;
  BeginLongRun(false);
  const Status status = read(doc_, native_path, ReadingOptions(), result);
  EndLongRun();
  ShowReadResult(status, result);
  if (status.ok()) {
    ShowFileInTitle(path);
    recent_->Add(path);
  }
  ReportStatus(*dialogs_, status);
}

void MainWindow::SaveCommand() { Save(); }

bool MainWindow::Save() {
  if (database_name_->text().isEmpty()) {
    dialogs_->ShowMessage(MessageKind::kPlain,
                          QString::fromUtf8("Не указано название справочника!"));
    return false;
  }
  if (doc_.FieldCount <= 0) {
    dialogs_->ShowMessage(MessageKind::kPlain, QString::fromUtf8("Сохранять нечего!"));
    return false;
  }
  if (const Status committed = structure_editor_->CommitFocusedControl(); !committed.ok()) {
    ReportStatus(*dialogs_, committed);
    return false;
  }
  if (!SettleSplitter()) return false;
  // Proposal: the folder and the name of the file last chosen to open, with ".fsr".
  const QFileInfo last(last_open_path_);
  const QString proposed = QFileInfo(WithExtension(last_open_path_, ".fsr")).fileName();
  const QString folder = last_open_path_.isEmpty() ? QString() : last.absolutePath();

  const std::optional<QString> chosen = dialogs_->ChooseFileToSave(
      folder, proposed, QtFileFilters(QString::fromUtf8(kSaveFilter)), QStringLiteral("fsr"));
  if (!chosen) return false;
  const QString& target = *chosen;
  SaveResult result;
  BeginLongRun(true);
  Status saved = CheckNumericFields(doc_, Splitter(), [this](std::int64_t) { AnswerWhenDue(); });
  if (saved.ok())
    saved = SaveFSR(doc_, QFile::encodeName(target).toStdString(), SavingOptions(), result);
  EndLongRun();
  if (!saved.ok()) {
    if (!cancel_requested_) ReportStatus(*dialogs_, saved);
    return false;
  }
  if (result.lines_cut > 0) {
    status_panels_[2]->setText(QString::fromUtf8("обрезано строк: %1").arg(result.lines_cut));
  }
  history_->MarkClean();
  ShowFileInTitle(target);
  recent_->Add(target);
  if (dialogs_->AskYesNo(QString::fromUtf8("Выполнить экспорт справочника в формат КПК?"))) {
    Export(target);
  }
  return true;
}

// Starts the builder beside the designer on the saved file, without a shell and without
// waiting; the builder reports its own outcome.
void MainWindow::Export(const QString& saved_path) {
  if (!StartBeside(kBuilderProgram, saved_path)) {
    dialogs_->ShowMessage(MessageKind::kError, QString::fromUtf8("Ошибка экспорта в формат КПК!"));
  }
}

void MainWindow::ViewBookCommand() {
  if (doc_.FieldCount <= 0) {
    dialogs_->ShowMessage(MessageKind::kPlain,
                          QString::fromUtf8("Нечего показывать: откройте файл с данными."));
    return;
  }
  if (const Status committed = structure_editor_->CommitFocusedControl(); !committed.ok()) {
    ReportStatus(*dialogs_, committed);
    return;
  }
  BeginLongRun(false);
  const Status shown = book_on_screen_->Show();
  EndLongRun();
  ReportStatus(*dialogs_, shown);
}

// The book on screen is built from the source file the save would write, in its own folder.
Status MainWindow::WriteDesignSource(const std::string& source_path) {
  Document copy = doc_;
  SaveOptions options = SavingOptions();
  options.progress = [this](std::int64_t, std::int64_t) { AnswerWhenDue(); };
  options.cancelled = nullptr;
  return SaveFSR(copy, source_path, options);
}

bool MainWindow::StartBeside(const char* program, const QString& path) {
  const QString file = QDir(application_dir_).filePath(QString::fromLatin1(program));
  const QFileInfo info(file);
  return info.isFile() && info.isExecutable() && QProcess::startDetached(file, {path});
}

void MainWindow::ExitCommand() { close(); }

bool MainWindow::MayDiscardDocument() {
  if (doc_.FieldCount <= 0) return true;  // nothing that could be saved
  // A value still being typed is an edit too; one that cannot be taken is reported when the
  // user chooses to save.
  const bool typing_refused = !structure_editor_->CommitFocusedControl().ok();
  history_->Record();
  if (!typing_refused && history_->IsClean()) return true;
  switch (dialogs_->AskYesNoCancel(QString::fromUtf8("Сохранить изменения в справочнике?"))) {
    case Answer::kYes:
      return Save();
    case Answer::kNo:
      return true;
    case Answer::kCancel:
      break;
  }
  return false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (long_run_) {  // closing asks a running save to stop first
    cancel_requested_ = true;
    event->ignore();
  } else if (MayDiscardDocument()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::HelpCommand() { dialogs_->ShowMessage(MessageKind::kInformation, HelpText()); }

void MainWindow::AboutCommand() { dialogs_->ShowMessage(MessageKind::kPlain, AboutText()); }

}  // namespace designer
