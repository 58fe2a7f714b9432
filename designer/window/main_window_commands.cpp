// The commands of MainWindow's menu and toolbar: open, save and export, exit, help, about.
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>

#include "designer/model/database_source.h"
#include "designer/model/source_file.h"
#include "designer/window/document_text.h"
#include "designer/window/help_texts.h"
#include "designer/window/main_window.h"
#include "designer/window/structure_editor.h"
#include "handheld/book_files.h"

namespace designer {

namespace {

const char kOpenFilter[] =
    "Все поддерживаемые форматы (*.csv, *.fsr, *.fdb, *.zdb, *.db)|*.csv;*.fsr;*.fdb;*.zdb;*.db|"
    "CSV (разделители - запятые) (*.csv)|*.csv|BWick-данные (*.fsr)|*.fsr|"
    "Справочники КПК (*.fdb, *.zdb, *.db)|*.fdb;*.zdb;*.db|Все файлы (*.*)|*.*";
const char kSaveFilter[] = "BWick-данные (*.fsr)|*.fsr|Все файлы (*.*)|*.*";
const char kBuilderProgram[] = "bwickbuild";
const char kViewerProgram[] = "bwickview";

// `path` with the extension of its file name (from the last ".") replaced by `extension`.
QString WithExtension(const QString& path, const char* extension) {
  const QFileInfo info(path);
  QString name = info.fileName();
  const int dot = name.lastIndexOf(QLatin1Char('.'));
  if (dot >= 0) name.truncate(dot);
  return QDir(info.path()).filePath(name + QLatin1String(extension));
}

// The extension of a file name from its last ".", the dot included, ASCII letters upper-cased.
QString UpperExtension(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  const int dot = name.lastIndexOf(QLatin1Char('.'));
  if (dot < 0) return {};
  QString extension = name.mid(dot);
  for (QChar& c : extension) {
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 'a' + 'A');
  }
  return extension;
}

}  // namespace

void MainWindow::OpenCommand() {
  const QString path =
      dialogs_->ChooseFileToOpen(last_open_path_, QtFileFilters(QString::fromUtf8(kOpenFilter)));
  if (!path.isEmpty()) OpenFile(path);
}

// The readers set SourceFileName and the source's kind themselves and only when they succeed, so a
// refused or unreadable file leaves the open document and the file it came from together.
void MainWindow::OpenFile(const QString& path) {
  last_open_path_ = path;
  const QString extension = UpperExtension(path);
  const std::string native_path = QFile::encodeName(path).toStdString();
  using Reader = Status (*)(Document&, const std::string&, const ReadOptions&, ReadResult&);
  Reader read = nullptr;
  if (extension == QLatin1String(".CSV")) {
    OpenCsv(path);
    return;
  }
  if (extension == QLatin1String(".FSR")) {
    read = LoadFSR;
  } else if (extension == QLatin1String(".FDB") || extension == QLatin1String(".ZDB") ||
             extension == QLatin1String(".DB")) {
    read = LoadDB;
  }
  if (read == nullptr) return;
  ReadResult result;
  const Status status = read(doc_, native_path, ReadingOptions(), result);
  ShowReadResult(status, result);
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

  const QString target = dialogs_->ChooseFileToSave(
      folder, proposed, QtFileFilters(QString::fromUtf8(kSaveFilter)), QStringLiteral("fsr"));
  if (target.isEmpty()) return false;
  const Status saved = SaveFSR(doc_, QFile::encodeName(target).toStdString(), SavingOptions());
  progress_bar_->hide();
  if (!saved.ok()) {
    ReportStatus(*dialogs_, saved);
    return false;
  }
  saved_state_ = CurrentState();
  last_saved_path_ = target;
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
  const QString source = last_saved_path_.isEmpty() ? last_open_path_ : last_saved_path_;
  const QString proposed = source.isEmpty() ? QString() : WithExtension(source, ".fdb");
  const QString book = dialogs_->ChooseBookToView(proposed, handheld::BookFileFilters());
  if (book.isEmpty()) return;
  if (!StartBeside(kViewerProgram, book)) {
    dialogs_->ShowMessage(MessageKind::kError,
                          QString::fromUtf8("Ошибка запуска программы просмотра справочника!"));
  }
}

bool MainWindow::StartBeside(const char* program, const QString& path) {
  const QString file = QDir(application_dir_).filePath(QString::fromLatin1(program));
  const QFileInfo info(file);
  return info.isFile() && info.isExecutable() && QProcess::startDetached(file, {path});
}

void MainWindow::ExitCommand() { close(); }

MainWindow::DocumentState MainWindow::CurrentState() const {
  return {doc_.Fields, doc_.FieldCount, DatabaseName(), Splitter(), CutLongLines()};
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (doc_.FieldCount <= 0) return;  // nothing that could be saved
  // A value still being typed is an edit too; one that cannot be taken is reported when the
  // user chooses to save.
  const bool typing_refused = !structure_editor_->CommitFocusedControl().ok();
  if (!typing_refused && CurrentState() == saved_state_) return;
  switch (dialogs_->AskYesNoCancel(QString::fromUtf8("Сохранить изменения в справочнике?"))) {
    case Answer::kYes:
      if (!Save()) event->ignore();
      break;
    case Answer::kNo:
      break;
    case Answer::kCancel:
      event->ignore();
      break;
  }
}

void MainWindow::HelpCommand() { dialogs_->ShowMessage(MessageKind::kInformation, HelpText()); }

void MainWindow::AboutCommand() { dialogs_->ShowMessage(MessageKind::kPlain, AboutText()); }

}  // namespace designer
