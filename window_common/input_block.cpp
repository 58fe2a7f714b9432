#include "window_common/input_block.h"

#include <QCoreApplication>
#include <QEvent>

namespace window_common {

InputBlock::InputBlock(QWidget* open) : open_(open) {
  QCoreApplication::instance()->installEventFilter(this);
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
      return !(open_ && (widget == open_ || open_->isAncestorOf(widget)));
    }
    default:
      return false;
  }
}

}  // namespace window_common
