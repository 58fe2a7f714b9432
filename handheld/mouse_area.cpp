#include "handheld/mouse_area.h"

#include <QMouseEvent>
#include <utility>

namespace handheld {

MouseArea::MouseArea(QWidget* parent, const QRect& place, Qt::CursorShape cursor,
                     std::function<void()> pressed)
    : QWidget(parent), pressed_(std::move(pressed)) {
  setGeometry(place);
  setCursor(cursor);
  setAttribute(Qt::WA_NoSystemBackground);
}

void MouseArea::mousePressEvent(QMouseEvent* event) {
  event->accept();
  // Any button counts, as on the handheld's touch screen.
  pressed_();
}

}  // namespace handheld
