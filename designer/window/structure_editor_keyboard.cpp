// The field grid's keyboard: Tab and Shift+Tab walk the stops of the current row, Ctrl+Tab
// leaves the grid.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTableWidget>

#include "designer/window/structure_editor.h"

namespace designer {

bool StructureEditor::FocusedGridStop(int& stop, int& row) const {
  const QWidget* focused = QApplication::focusWidget();
  if (focused == nullptr) return false;
  for (int i = 1; i <= kMaxDocumentFields; ++i) {
    if (focused == query_ticks_[i] || focused == result_ticks_[i]) {
      stop = focused == query_ticks_[i] ? kQueryTickStop : kResultTickStop;
      row = i;
      return true;
    }
  }
  row = field_grid_->currentRow() + 1;
  if (IsWithin(type_box_, focused)) {
    stop = kTypeStop;
  } else if (IsWithin(field_grid_, focused)) {
    stop = field_grid_->currentColumn() == kTypeColumn ? kTypeStop : kNameStop;
  } else {
    return false;
  }
  return row >= 1;
}

void StructureEditor::StepInFieldGrid(int stop, int row, bool forward) {
  CommitTypeBox();  // the type box takes its choice when the focus steps away from it
  const int step = forward ? 1 : -1;
  for (int next = stop + step; next >= 0 && next < kGridStops; next += step) {
    if (EnterGridStop(next, row, forward)) return;
  }
  LeaveFieldGrid(forward);
}

bool StructureEditor::EnterGridStop(int stop, int row, bool forward) {
  const Qt::FocusReason reason = forward ? Qt::TabFocusReason : Qt::BacktabFocusReason;
  if (stop == kQueryTickStop || stop == kResultTickStop) {
    QCheckBox* box = stop == kQueryTickStop ? query_ticks_[row] : result_ticks_[row];
    if (!box->isVisible()) return false;
    box->setFocus(reason);
    return true;
  }
  // Without a document the type box would only write a type into an empty row.
  if (stop == kTypeStop && doc_.FieldCount <= 0) return false;
  // A move of the current cell runs the click rule, which opens the cell's editor or type box.
  const int column = stop == kNameStop ? kNameColumn : kTypeColumn;
  field_grid_->setFocus(reason);
  if (field_grid_->currentRow() == row - 1 && field_grid_->currentColumn() == column) {
    OpenCurrentCell();
  } else {
    field_grid_->setCurrentCell(row - 1, column);
  }
  return true;
}

void StructureEditor::LeaveFieldGrid(bool forward) {
  CommitTypeBox();
  field_grid_->setFocus(Qt::OtherFocusReason);
  handlers_.focus_past_grid(forward);
}

bool StructureEditor::TabInGrid(bool forward) {
  int stop = 0;
  int row = 0;
  if (!FocusedGridStop(stop, row)) return false;
  StepInFieldGrid(stop, row, forward);
  return true;
}

void StructureEditor::TabbedIn(bool forward) {
  int stop = 0;
  int row = 0;
  if (!FocusedGridStop(stop, row)) return;
  // Into the grid: forward at the row's name (not yet edited), backward at its last stop.
  if (forward) {
    const QSignalBlocker quiet(field_grid_);
    field_grid_->setCurrentCell(row - 1, kNameColumn);
    field_grid_->viewport()->update();
  } else {
    StepInFieldGrid(kGridStops, row, false);
  }
}

bool StructureEditor::FieldGridTabKey(QObject* watched, const QKeyEvent* key) {
  if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) return false;
  const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
  const bool leave = key->modifiers() & Qt::ControlModifier;
  int stop = 0;
  int row = 0;
  if (!FocusedGridStop(stop, row)) return false;
  if (watched == type_box_->view()) {
    // The dropped list swallows Tab: it takes the highlighted type and the focus moves on.
    const int highlighted = type_box_->view()->currentIndex().row();
    type_box_->hidePopup();
    if (highlighted >= 0) type_box_->setCurrentIndex(highlighted);
  } else if (!leave) {
    return false;  // plain Tab reaches the window, which calls TabInGrid
  }
  if (leave) {
    LeaveFieldGrid(forward);
  } else {
    StepInFieldGrid(stop, row, forward);
  }
  return true;
}

}  // namespace designer
