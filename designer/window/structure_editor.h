// The structure editor: the field grid and the property panel, where the user edits the fields.
//
// StructureEditor builds the field grid (one row per field: name, data type, the query and
// result ticks, a sample value) with the type box that covers a type cell while a type is
// chosen, as children of the window's upper panel, and the property panel of the grid's current
// row (number size, field length and the four search selectors) as children of the lower panel.
// Its handlers read a widget, change one field of the document and tell the window through
// Handlers, which redraws the preview. Number boxes are read by ReadNumberBox (number_box.h): an
// integer within what the table database holds, or a clear message. The main window reaches the
// editor only through this header.
#pragma once

#include <QList>
#include <QObject>
#include <array>
#include <functional>
#include <string>

#include "common/status.h"
#include "designer/model/document.h"
#include "designer/window/dialogs.h"

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace designer {

class StructureEditor : public QObject {
  Q_OBJECT
 public:
  struct Handlers {
    std::function<void()> fields_edited;            // a load, or a name, tick or length changed
    std::function<void(int field)> field_selected;  // the grid's current row now shows `field`
    // Tab left the grid: the focus goes to the window's next (or previous) control after it.
    std::function<void(bool forward)> focus_past_grid;
    // Whether every record's value of `field` is a number, so that it may turn numeric.
    std::function<Status(int field)> check_numeric;
  };

  // The field grid goes onto `upper_page`, the property panel onto `lower_page`. Messages and
  // failed commits are shown through `dialogs`.
  StructureEditor(QWidget* upper_page, QWidget* lower_page, Document& doc, Dialogs& dialogs,
                  Handlers handlers);

  // After a load or an undo: the grid shows the document's fields and ticks, field `field`
  // selected, and no editor open that could write an older value back.
  void ShowDocument(int field = 1);
  // The field of the grid's current row (1..FieldCount), 0 when none.
  int SelectedField() const;
  // Runs the exit rule of the editor's control that holds the focus, as if the focus left it:
  // the toolbar and the menu take no focus, and a save must not miss a typed value.
  Status CommitFocusedControl();
  // The controls Tab visits, in order: the grid, then the property panel's boxes.
  QList<QWidget*> TabOrder() const;
  // The window's Tab and Shift+Tab. In the grid, Tab walks the stops of the current row: name,
  // type, query tick, result tick; Shift+Tab walks back. Past the first or last stop, and on
  // Ctrl+Tab from any stop, the focus leaves the grid. TabInGrid moves the focus and returns
  // true when it was in the grid; TabbedIn is told after the window's Tab order moved the focus,
  // and puts it on the row's name (forward) or last stop (backward) when it came into the grid.
  bool TabInGrid(bool forward);
  void TabbedIn(bool forward);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum GridStop { kNameStop, kTypeStop, kQueryTickStop, kResultTickStop, kGridStops };
  static constexpr int kNameColumn = 1;
  static constexpr int kTypeColumn = 2;

  // Building (structure_editor.cpp).
  void CreateFieldGrid(QWidget* upper_page);
  void CreatePropertyPanel(QWidget* lower_page);
  // Property controls commit when the focus leaves them for another control of the window.
  void WatchFocusLoss(QWidget* control);
  // True when `widget` is `outer` or lies inside it, a drop-down list of `outer` included.
  static bool IsWithin(const QWidget* outer, const QWidget* widget);
  void PlaceTicks();
  // Gives the grid FieldCount rows filled from the document.
  void FillFieldGrid();
  QString CellText(int column, int row) const;

  // The grid and the type box (structure_editor.cpp).
  // Shows field `row` in the property panel; on a type cell, opens the type box over it. Cells
  // right of the type column cannot be selected.
  void SelectCell(int column, int row);
  // The click rule: opens the current cell's name editor or type box.
  void OpenCurrentCell();
  void CurrentCellChanged(int qt_row, int column);
  void NameTyped(const QString& text);
  void CommitName();
  void TypeChosen(int index);
  void CommitTypeBox();
  void HideTypeBox();
  void ChangeFieldType(int field, bool numeric);
  void QueryTickClicked(int row, bool ticked);
  void ResultTickClicked(int row, bool ticked);

  // The property panel (structure_editor.cpp).
  void ShowField(int field);
  Status SaveField();
  // Shows a failed commit of a number box once per wrong entry: committing the other controls
  // reads the box again, and that is no new entry until the user types in it.
  void ReportEntry(const Status& status);
  Status CommitMaxLen();
  void ToggleSelector(QComboBox* selector);
  void CommitSelector(QComboBox* selector);
  // A typed text ends as the item it names; anything else goes back to the selected item.
  void ResolveSelectorText(QComboBox* selector);

  // The grid's keyboard (structure_editor_keyboard.cpp).
  // The stop that holds the focus and its row (1..5); false when the focus is outside the grid.
  bool FocusedGridStop(int& stop, int& row) const;
  // Moves from `stop` (kGridStops: from past the last one) to the next stop that can take the
  // focus, or out of the grid.
  void StepInFieldGrid(int stop, int row, bool forward);
  bool EnterGridStop(int stop, int row, bool forward);
  void LeaveFieldGrid(bool forward);
  // A Tab key pressed in the type box's dropped list, or Ctrl+Tab anywhere in the grid.
  bool FieldGridTabKey(QObject* watched, const QKeyEvent* key);

  Document& doc_;
  Dialogs& dialogs_;
  Handlers handlers_;
  bool hiding_type_box_ = false;
  std::string reported_entry_;  // the message of the wrong entry shown last

  QComboBox* type_box_ = nullptr;
  QTableWidget* field_grid_ = nullptr;
  std::array<QCheckBox*, kMaxDocumentFields + 1> query_ticks_{};
  std::array<QCheckBox*, kMaxDocumentFields + 1> result_ticks_{};
  QLineEdit* num_size_ = nullptr;
  QLineEdit* max_len_ = nullptr;
  QComboBox* digits_only_ = nullptr;
  QComboBox* upper_case_ = nullptr;
  QComboBox* ignore_case_ = nullptr;
  QComboBox* search_within_ = nullptr;
};

}  // namespace designer
