// The desktop of the running program: QMessageBox, QFileDialog and QDesktopServices.
#pragma once

#include "builder/window/desktop.h"

namespace builder {

// `text` with a zero-width space between the characters of every run longer than 40 characters
// without a blank, so that a message box can wrap a long data line instead of cutting it.
QString WrappableText(const QString& text);

class QtDesktop : public Desktop {
 public:
  void ShowError(QWidget* owner, const QString& caption, const QString& text) override;
  std::optional<QString> ChooseInputFile(QWidget* owner) override;
  void OpenUrl(const QUrl& url) override;
};

}  // namespace builder
