#include "builder/window/tab_cycle.h"

#include <QKeyEvent>
#include <algorithm>

namespace builder {

TabCycle::TabCycle(std::vector<QWidget*> ring, QObject* parent)
    : QObject(parent), ring_(std::move(ring)) {
  for (QWidget* control : ring_) control->installEventFilter(this);
}

bool TabCycle::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
  const bool backward = key->key() == Qt::Key_Backtab ||
                        (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
  if (!forward && !backward) return false;
  const auto here = std::find(ring_.begin(), ring_.end(), watched);
  if (here == ring_.end()) return false;
  const std::size_t size = ring_.size();
  const std::size_t index = static_cast<std::size_t>(here - ring_.begin());
  const std::size_t next = forward ? (index + 1) % size : (index + size - 1) % size;
  ring_[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;  // consumed: Qt's own Tab handling would move the focus a second time
}

}  // namespace builder
