// While a long run on a window's thread lets the window handle its events (event_pace.h), the
// user must not start another command in the middle of it. An InputBlock swallows every key,
// click, wheel turn and drop of the program as long as it lives, except those meant for `open`
// (the run's cancel button) and its children, and those of a modal box the run shows.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace window_common {

class InputBlock : public QObject {
 public:
  explicit InputBlock(QWidget* open = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> open_;
};

}  // namespace window_common
