// Where a conversion's status texts go while the builder window runs it: to the status bar,
// painted at once. The run keeps the window's thread; when its pace says so (every 50 ms in the
// program) a status text also lets the window repaint and answer the window system, so it never
// looks hung. Input waits for the end of the run.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <string>

#include "builder/convert/reporter.h"
#include "window_common/event_pace.h"

namespace builder {

class WindowReporter : public Reporter {
 public:
  // `status_text` is the label that fills `status_bar`; all of them must outlive the reporter.
  WindowReporter(QStatusBar* status_bar, QLabel* status_text, window_common::EventPace& pace);

  void StatusText(const std::string& text) override;

 private:
  QStatusBar* status_bar_;
  QLabel* status_text_;
  window_common::EventPace& pace_;
};

}  // namespace builder
