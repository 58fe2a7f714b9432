#include "builder/window/window_reporter.h"

#include <QCoreApplication>

namespace builder {

WindowReporter::WindowReporter(QStatusBar* status_bar, QLabel* status_text,
                               window_common::EventPace& pace)
    : status_bar_(status_bar), status_text_(status_text), pace_(pace) {}

void WindowReporter::StatusText(const std::string& text) {
  status_text_->setText(QString::fromStdString(text));
  status_bar_->repaint();
  if (pace_.Due()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace builder
