// The designer's main window.
//
// Architecture. MainWindow is the program's one window and owns the one document (Document,
// designer/model). Three widgets of its own share the window:
//  - MainWindow itself (main_window.cpp) lays out the menu, the toolbar, the splitter's two
//    SplitterPanels and the status bar, and keeps the three document values that live as
//    control texts: the database name, the splitter and the cut option. It hands them to the
//    model's readers (LoadCSV, LoadFSR, LoadDB) and writer (SaveFSR) as options, with the question
//    and progress as callbacks, and shows what they return. A CSV file is opened through the
//    import dialog (import_dialog.h) and read again when its splitter is changed
//    (main_window_import.cpp); "Обновить данные…" gives a new table the open document's design
//    (main_window_refresh.cpp). main_window_commands.cpp holds
//    the commands of the menu and the toolbar (open, save and export, view the book on screen
//    (BookOnScreen, book_on_screen.h), exit, help, about) and the question about unsaved edits that
//    every command replacing or closing the document asks first (MayDiscardDocument).
//  - EditHistory (edit_history.h) records every edit of the design for undo and redo; its clean
//    state is the saved document, shown by the "*" of the title.
//  - StructureEditor (structure_editor.h) is the field grid and the property panel.
//  - HandheldPreview (handheld_preview.h) draws the handheld's two screens and edits the input
//    order and the widths; it reaches the window through PreviewHost.
// Input flows one way: a widget's handler reads the widget, changes the document, and the
// widgets that show that part of the document redraw from it (the editor tells the window
// through its Handlers, and the window asks the preview to redraw). A load fills the document
// first and then the window shows its result and calls DocumentLoaded, which redraws everything.
// Every dialog and message box goes through Dialogs, so tests answer them from a script; every
// failed command or commit reaches the user through ReportStatus (dialogs.h), and the program goes
// on.
#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "designer/model/document.h"
#include "designer/model/document_design.h"
#include "designer/model/document_io.h"
#include "designer/window/dialogs.h"
#include "designer/window/handheld_preview.h"
#include "window_common/event_pace.h"
#include "window_common/input_block.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QUndoStack;

namespace designer {

class BookOnScreen;
class EditHistory;
class RecentFiles;
class SplitterPanel;
class StructureEditor;

class MainWindow : public QMainWindow, public PreviewHost {
  Q_OBJECT
 public:
  // `dialogs` answers every dialog and message box (nullptr: the real ones). The builder is
  // looked for in `application_dir`, the folder of the designer's own program file. `pace` tells
  // a long read or save when to let the window answer (nullptr: 20 times a second).
  MainWindow(Dialogs* dialogs, QString application_dir, window_common::EventPace* pace = nullptr);
  ~MainWindow() override;

  Document& document() { return doc_; }

  // Opens `path` as the open command does with a chosen file (command line, dropped file).
  void OpenFile(const QString& path);

  // The database name as document text.
  std::string DatabaseName() const;

  // PreviewHost
  int SelectedField() const override;
  void PreviewDatabaseNameEdited(const QString& name) override;
  void ShowPreviewMessage(const PreviewMessage& message) override;

 protected:
  // Tab and Shift+Tab: the panels left to right, top to bottom; in the field grid, the stops of
  // the current row (see StructureEditor::TabInGrid).
  bool focusNextPrevChild(bool next) override;
  // Exit and the window's close button: edits not yet saved are saved, dropped or kept open.
  void closeEvent(QCloseEvent* event) override;

 private:
  // Layout (main_window.cpp).
  void CreateLayout();
  void CreateMainMenu();
  void CreateEditMenu();
  void CreateToolBar(QWidget* upper_page);
  // The toolbar and the document values above the field grid.
  void CreateUpperPanel(QWidget* upper_page);
  // The preview beside the property panel.
  void CreateLowerPanel(QWidget* lower_page);
  void CreateStatusBar(SplitterPanel* lower_panel);
  // The order of Tab among the window's controls.
  void SetTabOrder();
  void DatabaseNameTyped();

  // The splitter as document text, and the long-line option.
  std::string Splitter() const;
  bool CutLongLines() const;
  // The model's calls (main_window.cpp): the options from the controls, the results onto them.
  ReadOptions ReadingOptions();
  SaveOptions SavingOptions();
  // A read or save runs on the window's thread; at the pace the window repaints and answers,
  // but only the Отмена button beside the progress (shown when `cancellable`) takes input.
  void BeginLongRun(bool cancellable);
  void EndLongRun();
  void AnswerWhenDue();
  // Reads every record to tell whether field `field` may turn numeric.
  Status CheckNumeric(int field);
  // Shows the running record count of a read.
  void ShowRunningCount(int records);
  // Shows the progress bar over the third status panel while a save writes data lines.
  void ShowSaveProgress(std::int64_t written, std::int64_t expected);
  // Puts what a read returned on the controls and, after a successful one, redraws everything
  // for the new document.
  void ShowReadResult(const Status& status, const ReadResult& result);
  void DocumentLoaded();
  // The title names the document's file; "*" follows it while edits are unsaved.
  void ShowFileInTitle(const QString& path);
  // The design for the edit history, and a design of it put back on the document and controls.
  DocumentDesign CurrentDesign() const;
  void ShowDesign(const DocumentDesign& design);

  // Table import (main_window_import.cpp). Opens the CSV file `path`, or the workbook `path`,
  // through the import dialog.
  void OpenCsv(const QString& path);
  void OpenWorkbook(const QString& path);
  // Reads the table `path` as `chosen` in the import dialog says into the document.
  void ImportTable(const QString& path, const CsvSettings& chosen);
  // Reads a CSV document again when the splitter box no longer shows the splitter it was read
  // with (the other settings as they were). Returns false when the document stays as it was (the
  // box then shows its splitter again): the file refused it, or the user kept unsaved edits.
  bool SettleSplitter();
  // The import's reading as the import dialog chose it.
  ReadOptions ImportReading(const CsvSettings& chosen);

  // A refresh of the data (main_window_refresh.cpp): "Файл → Обновить данные…" reads a new table
  // through the import dialog and, once the match is confirmed, gives the open document's design
  // the table's data, as one step of the edit history.
  void RefreshDataCommand();
  // Reads the table `path` and applies the document's design to it; none after Отмена or a
  // refusal, which was shown. `splitter`: the one its data lines are saved with.
  std::optional<Document> ReadWithDesign(const QString& path, std::string& splitter,
                                         QStringList& match, QStringList& warnings);
  // The import dialog for the table `path` (a text file's or a workbook's); none after Отмена or a
  // file no reader takes, which was shown.
  std::optional<CsvSettings> ChooseTableSettings(const QString& path);
  // Puts `to` in place of the document when the document still reads the data `from` reads,
  // with `splitter` in the splitter box; otherwise (a save has moved the data since) only the
  // design of `to`. Shows the result.
  void SwapDocument(const Document& from, const Document& to, const std::string& splitter);
  // The status panels as the document stands (a read that was not kept wrote its running count).
  void ShowDocumentStatus();

  // Commands (main_window_commands.cpp).
  void OpenCommand();
  void SaveCommand();
  // The Save command; true when the document was written.
  bool Save();
  void ExitCommand();
  void HelpCommand();
  void AboutCommand();
  void Export(const QString& saved_path);
  // Shows the design as it stands, built into a temporary book, in the viewer.
  void ViewBookCommand();
  Status WriteDesignSource(const std::string& source_path);
  // Starts `program` from the designer's folder with the one argument `path`, without a shell
  // and without waiting; false when it is missing or does not start.
  bool StartBeside(const char* program, const QString& path);
  // The close question, asked when the document has edits not yet saved: true when it may be
  // replaced or closed (saved, or the edits dropped), false to keep it. Every command that
  // replaces or closes the document asks this first.
  bool MayDiscardDocument();

  Document doc_;
  std::unique_ptr<Dialogs> own_dialogs_;
  Dialogs* dialogs_;
  QString application_dir_;
  QString last_open_path_;   // the path last chosen in the open dialog
  QString last_saved_path_;  // the source file the last save wrote
  EditHistory* history_ = nullptr;
  BookOnScreen* book_on_screen_ = nullptr;
  RecentFiles* recent_ = nullptr;
  std::string read_splitter_;  // the splitter box as the last CSV read left it
  bool rereading_ = false;     // SettleSplitter is at work

  QSplitter* panel_splitter_ = nullptr;
  SplitterPanel* upper_panel_ = nullptr;
  SplitterPanel* lower_panel_ = nullptr;
  QLineEdit* database_name_ = nullptr;
  QLineEdit* splitter_ = nullptr;
  QCheckBox* cut_long_lines_ = nullptr;
  std::array<QLabel*, 4> status_panels_{};
  QProgressBar* progress_bar_ = nullptr;
  QPushButton* cancel_button_ = nullptr;  // beside the progress bar, during a save
  std::unique_ptr<window_common::EventPace> own_pace_;
  window_common::EventPace* pace_;
  std::unique_ptr<window_common::InputBlock> long_run_;  // while a read or save runs
  bool cancel_requested_ = false;
  StructureEditor* structure_editor_ = nullptr;  // a child of the upper panel
  HandheldPreview* preview_ = nullptr;           // a child of the lower panel
};

}  // namespace designer
