#include "designer/window/field_grid_delegate.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <utility>

#include "designer/window/toolbar_images.h"
#include "window_common/cp1251_text.h"

namespace designer {

FieldGridDelegate::FieldGridDelegate(QObject* parent,
                                     std::function<void(int, const QString&)> name_edited)
    : QStyledItemDelegate(parent), name_edited_(std::move(name_edited)) {}

void FieldGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
  if (index.column() != 0 || !view || view->currentIndex().row() != index.row()) return;
  static const QPixmap marker = RowMarkerImage();
  const QPoint corner = option.rect.center() - QPoint(marker.width() / 2, marker.height() / 2);
  painter->drawPixmap(corner, marker);
}

QWidget* FieldGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const {
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  auto* line = qobject_cast<QLineEdit*>(editor);
  if (!line) return editor;
  line->setObjectName(QStringLiteral("fieldNameEditor"));
  line->setValidator(new window_common::Cp1251Validator(line));
  const int row = index.row();
  connect(line, &QLineEdit::textEdited, this, [this, line, row](const QString& text) {
    // The cell follows the editor key by key, as the name does.
    const_cast<FieldGridDelegate*>(this)->commitData(line);
    name_edited_(row, text);
  });
  return editor;
}

bool FieldGridDelegate::eventFilter(QObject* editor, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return false;
  }
  return QStyledItemDelegate::eventFilter(editor, event);
}

void FieldGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* line = qobject_cast<QLineEdit*>(editor);
  if (line && line->text() == index.data(Qt::EditRole).toString()) return;
  QStyledItemDelegate::setEditorData(editor, index);
}

}  // namespace designer
