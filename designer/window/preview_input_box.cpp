#include "designer/window/preview_input_box.h"

#include <QMouseEvent>
#include <utility>

namespace designer {

PreviewInputBox::PreviewInputBox(QWidget* parent, bool& resizing,
                                 std::function<void(int)> width_dragged)
    : QLineEdit(parent), resizing_(resizing), width_dragged_(std::move(width_dragged)) {
  // The cursor must change over the edge before any button is pressed.
  setMouseTracking(true);
}

void PreviewInputBox::mousePressEvent(QMouseEvent* event) {
  const int x = event->position().toPoint().x();
  const int w = width();
  // The grip is the four rightmost pixels; a press anywhere else is an ordinary press.
  resizing_ = w - 5 < x && x < w;
  setCursor(resizing_ ? Qt::SizeHorCursor : Qt::IBeamCursor);
  QLineEdit::mousePressEvent(event);
}

void PreviewInputBox::mouseMoveEvent(QMouseEvent* event) {
  const int x = event->position().toPoint().x();
  if (!(event->buttons() & Qt::LeftButton)) {
    const int w = width();
    setCursor(w - 3 < x && x < w + 1 ? Qt::SizeHorCursor : Qt::IBeamCursor);
    QLineEdit::mouseMoveEvent(event);
    return;
  }
  if (!resizing_) {
    QLineEdit::mouseMoveEvent(event);  // selects text as usual
    return;
  }
  if (kNarrowest <= x && x <= kWidest) {
    resize(x, height());
    width_dragged_(x);
  }
}

void PreviewInputBox::mouseReleaseEvent(QMouseEvent* event) {
  resizing_ = false;
  QLineEdit::mouseReleaseEvent(event);
}

}  // namespace designer
