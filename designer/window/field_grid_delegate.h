// Drawing and in-place editing of the field grid field_grid_: the row marker in column 0 of the
// current row, and the name editor of column 1, which reports every keystroke.
#pragma once

#include <QStyledItemDelegate>
#include <functional>

namespace designer {

class FieldGridDelegate : public QStyledItemDelegate {
 public:
  // `name_edited(row, text)` runs on every change the user makes in a name editor.
  FieldGridDelegate(QObject* parent, std::function<void(int, const QString&)> name_edited);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  // Leaves an open editor alone when the cell already holds its text (the cell follows the
  // editor key by key; resetting the text would move the cursor).
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;

 protected:
  // Tab keys in the name editor move along the window's Tab order, not to the next cell.
  bool eventFilter(QObject* editor, QEvent* event) override;

 private:
  std::function<void(int, const QString&)> name_edited_;
};

}  // namespace designer
