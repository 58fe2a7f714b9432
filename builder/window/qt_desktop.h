// The desktop of the running program: QMessageBox, QFileDialog and QDesktopServices.
#pragma once

#include "builder/window/desktop.h"

namespace builder {

class QtDesktop : public Desktop {
 public:
  void ShowError(QWidget* owner, const QString& caption, const QString& text) override;
  std::optional<QString> ChooseInputFile(QWidget* owner) override;
  void OpenUrl(const QUrl& url) override;
};

}  // namespace builder
