#include "builder/window/window_reporter.h"

#include <cstdio>

namespace builder {

QString ScreenText(const std::string& utf8) {
  return QString::fromStdString(utf8).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

WindowReporter::WindowReporter(QWidget* window, QLabel* status, Desktop& desktop)
    : window_(window), status_(status), desktop_(desktop) {}

void WindowReporter::StatusText(const std::string& text) {
  status_->setText(QString::fromStdString(text));
  status_->parentWidget()->repaint();
}

void WindowReporter::ErrorMessage(const std::string& caption, const std::string& text) {
  desktop_.ShowError(window_, QString::fromStdString(caption), ScreenText(text));
}

void WindowReporter::StandardError(const std::string& text) {
  std::fputs(text.c_str(), stderr);
  if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
  std::fflush(stderr);
}

}  // namespace builder
