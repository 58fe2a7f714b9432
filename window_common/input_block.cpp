#include "window_common/input_block.h"

#include <QApplication>
#include <QEvent>

namespace window_common {

InputBlock::InputBlock(QWidget* open) : open_(open) {
  QApplication::instance()->installEventFilter(this);
}

bool InputBlock::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
      // Input reaches a window first and its widget next, where it is stopped; a shortcut goes
      // to its action, which is no widget.
      const auto* widget = qobject_cast<const QWidget*>(watched);
      if (!widget) return event->type() == QEvent::Shortcut;
      // A message box the run shows must be answerable.
      const QWidget* modal = QApplication::activeModalWidget();
      for (const QWidget* open : {static_cast<const QWidget*>(open_), modal}) {
        if (open && (widget == open || open->isAncestorOf(widget))) return false;
      }
      return true;
    }
    default:
      return false;
  }
}

}  // namespace window_common
