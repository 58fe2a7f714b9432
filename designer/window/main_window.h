// The designer's main window.
//
// Architecture: MainWindow is the program's one window and owns the one document
// (Document). It is built from three parts:
//  - main_window.cpp lays out the window (the splitter's two SplitterPanels, toolbar, menu, status
//    bar), sets the Tab order and keeps the document values that live as control texts; it
//    implements DesignerView, through which the model's readers (LoadCSV, LoadFSR)
//    and writer (SaveFSR) talk back to the window.
//  - main_window_commands.cpp holds the commands of the menu and the toolbar (open, save and
//  export,
//    exit, help, about) and the question about unsaved edits on closing (DocumentState, taken
//    at every load and save). Every command that fails hands its Status to ReportStatus, the
//    one place where errors and refusals become message boxes; the program goes on.
//  - structure_editor.cpp holds the field grid field_grid_ with its type box type_box_ and check
//    boxes query_ticks_/result_ticks_, the grid's keyboard, and the property panel; its handlers
//    read a widget, change one field of the document and redraw. Its number boxes and the preview's
//    are read by ReadNumberBox (number_box.h): an integer within what the table database holds, or
//    a clear message.
// The handheld preview (HandheldPreview) draws the two handheld screens from the document; it
// asks the window for the selected field, mirrors the name and shows its messages through
// PreviewHost. Every dialog and message box goes through Dialogs, so tests answer them from a
// script.
#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>
#include <string>

#include "common/status.h"
#include "designer/model/designer_view.h"
#include "designer/model/document.h"
#include "designer/window/dialogs.h"
#include "designer/window/handheld_preview.h"

class QCheckBox;
class QKeyEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QSplitter;
class QTableWidget;

namespace designer {

class SplitterPanel;

class MainWindow : public QMainWindow, public DesignerView, public PreviewHost {
  Q_OBJECT
 public:
  // `dialogs` answers every dialog and message box (nullptr: the real ones). The builder is
  // looked for in `application_dir`, the folder of the designer's own program file.
  MainWindow(Dialogs* dialogs, QString application_dir);
  ~MainWindow() override;

  Document& document() { return doc_; }

  // Opens `path` as the open command does with a chosen file (command line, dropped file).
  void OpenFile(const QString& path);

  // DesignerView
  std::string DatabaseName() const override;
  void SetDatabaseName(const std::string& name) override;
  std::string Splitter() const override;
  void SetSplitter(const std::string& splitter) override;
  bool CutLongLines() const override;
  void SetStatusText(int panel, const std::string& text, bool repaint_now) override;
  void ShowProgress(int maximum) override;
  void SetProgress(int position) override;
  void HideProgress() override;
  bool AskYesNo(const std::string& text) override;
  void ShowMessage(const std::string& text) override;
  void DocumentLoaded() override;

  // PreviewHost
  int SelectedField() const override;
  void PreviewDatabaseNameEdited(const QString& name) override;
  void ShowPreviewMessage(const PreviewMessage& message) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Tab and Shift+Tab: the panels left to right, top to bottom; in the field grid, the stops of
  // the current row (see StepInFieldGrid).
  bool focusNextPrevChild(bool next) override;
  // Exit and the window's close button: edits not yet saved are saved, dropped or kept open.
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Layout (main_window.cpp).
  void FormCreate();
  void CreateUpperPanel(QWidget* upper_page);
  void CreateLowerPanel(QWidget* lower_page);
  void CreateMainMenu();
  void CreateToolBar(QWidget* upper_page);
  void CreateStatusBar(SplitterPanel* lower_panel);
  void WatchFocusLoss(QWidget* control);
  // The order of Tab among the window's controls.
  void SetTabOrder();
  // True when `widget` is `outer` or lies inside it, a drop-down list of `outer` included.
  static bool IsWithin(const QWidget* outer, const QWidget* widget);

  // Commands (main_window_commands.cpp).
  void OpenCommand();
  void SaveCommand();
  // The Save command; true when the document was written.
  bool Save();
  void ExitCommand();
  void HelpCommand();
  void AboutCommand();
  void Export(const QString& saved_path);
  // What a save writes besides the data lines: the fields and the three document values that
  // live as control texts. The state at the last load or save tells whether closing loses edits.
  struct DocumentState {
    std::array<TFieldDesc, kFieldTableSize + 1> fields;
    std::int32_t field_count = 0;
    std::string database_name;
    std::string splitter;
    bool cut_long_lines = true;
    friend bool operator==(const DocumentState&, const DocumentState&) = default;
  };
  DocumentState CurrentState() const;
  // Shows a failed command's status: an error with the stop icon, a refusal in a plain box.
  void ReportStatus(const Status& status);

  // Structure editor (structure_editor.cpp).
  void CreateFieldGrid(QWidget* upper_page);
  void CreatePropertyPanel(QWidget* lower_page);
  bool SelectCell(int column, int row);
  void OpenCurrentCell();
  void CurrentCellChanged(int qt_row, int column);
  void NameTyped(const QString& text);
  void CommitName();
  void TypeChosen(int index);
  void CommitTypeBox();
  void HideTypeBox();
  void ChangeFieldType(int field, bool numeric);
  void ToggleSelector(QComboBox* selector);
  void CommitSelector(QComboBox* selector);
  // A typed text ends as the item it names; anything else goes back to the selected item.
  void ResolveSelectorText(QComboBox* selector);
  void MaxLenLeft();
  Status CommitMaxLen();
  // Runs the exit rule of the property control that holds the focus, as if the focus left it:
  // the toolbar and the menu take no focus, and a save must not miss a typed value.
  Status CommitFocusedControl();
  void DatabaseNameTyped();
  // The keyboard in the field grid. Tab walks the stops of a row: name, type, query box, result
  // box; Shift+Tab walks back. Past the first or last stop, and on Ctrl+Tab from any stop, the
  // focus leaves the grid.
  enum GridStop { kNameStop, kTypeStop, kQueryBoxStop, kResultBoxStop, kGridStops };
  // The stop that holds the focus and its row (1..5); false when the focus is outside the grid.
  bool FocusedGridStop(int* stop, int* row) const;
  // Moves from `stop` (kGridStops: from past the last one) to the next stop that can take the
  // focus, or out of the grid.
  void StepInFieldGrid(int stop, int row, bool forward);
  bool EnterGridStop(int stop, int row, bool forward);
  void LeaveFieldGrid(bool forward);
  // A Tab key pressed in the type box's dropped list, or Ctrl+Tab anywhere in the grid.
  bool FieldGridTabKey(QObject* watched, const QKeyEvent* key);
  void QueryTickClicked(int row, bool ticked);
  void ResultTickClicked(int row, bool ticked);
  void PlaceTicks();
  void ShowField(int field);
  Status SaveField();
  // Gives the grid FieldCount rows filled from the document, the check boxes their state.
  void FillFieldGrid();
  QString CellText(int column, int row) const;

  Document doc_;
  std::unique_ptr<Dialogs> own_dialogs_;
  Dialogs* dialogs_;
  QString application_dir_;
  QString last_open_path_;     // the path last chosen in the open dialog
  DocumentState saved_state_;  // as the last load or save left the document
  bool hiding_type_box_ = false;

  QSplitter* panel_splitter_ = nullptr;
  SplitterPanel* upper_panel_ = nullptr;
  SplitterPanel* lower_panel_ = nullptr;
  QLineEdit* database_name_ = nullptr;
  QLineEdit* splitter_ = nullptr;
  QCheckBox* cut_long_lines_ = nullptr;
  QTableWidget* field_grid_ = nullptr;
  QComboBox* type_box_ = nullptr;
  std::array<QCheckBox*, kMaxDocumentFields + 1> query_ticks_{};
  std::array<QCheckBox*, kMaxDocumentFields + 1> result_ticks_{};
  QLineEdit* num_size_ = nullptr;
  QLineEdit* max_len_ = nullptr;
  QComboBox* digits_only_ = nullptr;
  QComboBox* upper_case_ = nullptr;
  QComboBox* ignore_case_ = nullptr;
  QComboBox* search_within_ = nullptr;
  std::array<QLabel*, 4> status_panels_{};
  QProgressBar* progress_bar_ = nullptr;
  HandheldPreview* preview_ = nullptr;  // a child of lower_panel_
};

}  // namespace designer
