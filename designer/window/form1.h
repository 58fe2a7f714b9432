// The designer's main window.
//
// Architecture: TForm1 is the program's one window and owns the one document
// (designer::Document). It is built from three parts:
//  - form1.cpp lays out the window (the splitter's two SplitterPanels, toolbar, menu, status
//    bar), sets the Tab order and keeps the document values that live as control texts; it
//    implements designer::DesignerView, through which the model's readers (LoadCSV, LoadFSR)
//    and writer (SaveFSR) talk back to the window.
//  - form1_commands.cpp holds the commands of the menu and the toolbar (open, save and export,
//    exit, help, about) and the question about unsaved edits on closing (DocumentState, taken
//    at every load and save). Every command that fails hands its Status to ReportStatus, the
//    one place where errors and refusals become message boxes; the program goes on.
//  - structure_editor.cpp holds the field grid StringGrid1 with its type box ComboBox1 and check
//    boxes cbEdt/cbRst, the grid's keyboard, and the property panel; its handlers read a widget,
//    change one field of the document and redraw. Its number boxes and the preview's are read
//    by ReadNumberBox (number_box.h): an integer within what the table database holds, or a
//    clear message.
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
class SplitterPanel;

class TForm1 : public QMainWindow, public designer::DesignerView, public PreviewHost {
  Q_OBJECT
 public:
  // `dialogs` answers every dialog and message box (nullptr: the real ones). The builder is
  // looked for in `application_dir`, the folder of the designer's own program file.
  TForm1(Dialogs* dialogs, QString application_dir);
  ~TForm1() override;

  designer::Document& document() { return doc_; }

  // Opens `path` as the open command does with a chosen file (command line, dropped file).
  void OpenFile(const QString& path);

  // designer::DesignerView
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
  // Layout (form1.cpp).
  void FormCreate();
  void CreatePanel1(QWidget* panel1);
  void CreatePanel2(QWidget* panel2);
  void CreateMainMenu();
  void CreateToolBar(QWidget* panel1);
  void CreateStatusBar(SplitterPanel* panel2);
  void WatchFocusLoss(QWidget* control);
  // The order of Tab among the window's controls.
  void SetTabOrder();
  // True when `widget` is `outer` or lies inside it, a drop-down list of `outer` included.
  static bool IsWithin(const QWidget* outer, const QWidget* widget);

  // Commands (form1_commands.cpp).
  void tbOpenClick();
  void tbSaveClick();
  // The Save command; true when the document was written.
  bool Save();
  void tbCloseClick();
  void nHelpClick();
  void HelpAboutItemClick();
  void Export(const QString& saved_path);
  // What a save writes besides the data lines: the fields and the three document values that
  // live as control texts. The state at the last load or save tells whether closing loses edits.
  struct DocumentState {
    std::array<designer::TFieldDesc, designer::kFieldTableSize + 1> fields;
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
  void CreateFieldGrid(QWidget* panel1);
  void CreatePropertyPanel(QWidget* panel2);
  bool StringGrid1SelectCell(int column, int row);
  void StringGrid1Click();
  void StringGrid1CurrentCellChanged(int qt_row, int column);
  void StringGrid1SetEditText(const QString& text);
  void StringGrid1Exit();
  void ComboBox1Change(int index);
  void ComboBox1Exit();
  void HideTypeBox();
  void ChangeFieldType(int field, bool numeric);
  void SelectorDblClick(QComboBox* selector);
  void SelectorExit(QComboBox* selector);
  // A typed text ends as the item it names; anything else goes back to the selected item.
  void ResolveSelectorText(QComboBox* selector);
  void edtMaxSizeExit();
  Status CommitMaxSize();
  // Runs the exit rule of the property control that holds the focus, as if the focus left it:
  // the toolbar and the menu take no focus, and a save must not miss a typed value.
  Status CommitFocusedControl();
  void edtDBNameKeyUp();
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
  void cbEdtClick(int row, bool ticked);
  void cbRstClick(int row, bool ticked);
  void PlaceCheckBoxes();
  void ShowField(int field);
  Status SaveField();
  // Gives the grid FieldCount rows filled from the document, the check boxes their state.
  void FillFieldGrid();
  QString CellText(int column, int row) const;

  designer::Document doc_;
  std::unique_ptr<Dialogs> own_dialogs_;
  Dialogs* dialogs_;
  QString application_dir_;
  QString last_open_path_;     // the path last chosen in the open dialog
  DocumentState saved_state_;  // as the last load or save left the document
  bool hiding_type_box_ = false;

  QSplitter* Splitter1 = nullptr;
  SplitterPanel* Panel1 = nullptr;
  SplitterPanel* Panel2 = nullptr;
  QLineEdit* edtDBName = nullptr;
  QLineEdit* edtSplitter = nullptr;
  QCheckBox* cbCutLongLines = nullptr;
  QTableWidget* StringGrid1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  std::array<QCheckBox*, designer::kMaxDocumentFields + 1> cbEdt{};
  std::array<QCheckBox*, designer::kMaxDocumentFields + 1> cbRst{};
  QLineEdit* edtFieldSize = nullptr;
  QLineEdit* edtMaxSize = nullptr;
  QComboBox* cbNumbers = nullptr;
  QComboBox* cbLetterCase = nullptr;
  QComboBox* cbCaseSence = nullptr;
  QComboBox* cbSeach = nullptr;
  std::array<QLabel*, 4> status_panels_{};
  QProgressBar* ProgressBar1 = nullptr;
  HandheldPreview* preview_ = nullptr;  // a child of Panel2
};
