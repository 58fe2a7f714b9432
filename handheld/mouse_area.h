// An invisible area laid over a button or tab bar of a screen picture: no border, no fill, only
// its mouse cursor and what a press on it does.
#pragma once

#include <QWidget>
#include <functional>

namespace handheld {

class MouseArea : public QWidget {
 public:
  MouseArea(QWidget* parent, const QRect& place, Qt::CursorShape cursor,
            std::function<void()> pressed);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::function<void()> pressed_;
};

}  // namespace handheld
