// When a long run on a window's thread lets the window repaint and answer the window system.
// The run asks Due() at each step; the program paces by the clock, a test by its own rule, so
// that no test depends on how fast the machine is.
#pragma once

#include <QElapsedTimer>

namespace window_common {

class EventPace {
 public:
  virtual ~EventPace() = default;
  // True when the window should handle its pending events now; the interval then starts anew.
  virtual bool Due() = 0;
};

// Due once every `interval_ms` milliseconds of the clock.
class ClockPace : public EventPace {
 public:
  explicit ClockPace(int interval_ms) : interval_ms_(interval_ms) { since_.start(); }
  bool Due() override {
    if (!since_.hasExpired(interval_ms_)) return false;
    since_.restart();
    return true;
  }

 private:
  int interval_ms_;
  QElapsedTimer since_;
};

}  // namespace window_common
