#include "builder/window/window_reporter.h"

#include <QCoreApplication>

namespace builder {

QString ScreenText(const std::string& utf8) {
  return QString::fromStdString(utf8).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

WindowReporter::WindowReporter(QWidget* window, QStatusBar* status_bar, QLabel* status_text,
                               Desktop& desktop, window_common::EventPace& pace)
    : window_(window),
      status_bar_(status_bar),
      status_text_(status_text),
      desktop_(desktop),
      pace_(pace) {}

void WindowReporter::StatusText(const std::string& text) {
  status_text_->setText(QString::fromStdString(text));
  status_bar_->repaint();
  if (pace_.Due()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowReporter::ErrorMessage(const std::string& caption, const std::string& text) {
  desktop_.ShowError(window_, QString::fromStdString(caption), ScreenText(text));
}

}  // namespace builder
