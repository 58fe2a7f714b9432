// Where a conversion's reports go while the builder window runs it: status texts to the status
// bar, painted at once, and messages to the desktop's message boxes. The run keeps the window's
// thread; when its pace says so (every 50 ms in the program) a status text also lets the window
// repaint and answer the window system, so it never looks hung. Input waits for the end of the run.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <QString>
#include <QWidget>
#include <string>

#include "builder/convert/reporter.h"
#include "builder/window/desktop.h"
#include "window_common/event_pace.h"

namespace builder {

// A message as it is shown on the screen: UTF-8 text with "\r\n" as a plain line break.
QString ScreenText(const std::string& utf8);

class WindowReporter : public Reporter {
 public:
  // `status_text` is the label that fills `status_bar`; all of them must outlive the reporter.
  WindowReporter(QWidget* window, QStatusBar* status_bar, QLabel* status_text, Desktop& desktop,
                 window_common::EventPace& pace);

  void StatusText(const std::string& text) override;
  void ErrorMessage(const std::string& caption, const std::string& text) override;

 private:
  QWidget* window_;
  QStatusBar* status_bar_;
  QLabel* status_text_;
  Desktop& desktop_;
  window_common::EventPace& pace_;
};

}  // namespace builder
