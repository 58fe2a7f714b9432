// What the builder window asks of the desktop: message boxes, the open dialog and the web
// browser. The program uses QtDesktop; the tests answer these calls themselves.
#pragma once

#include <QString>
#include <QUrl>
#include <optional>

class QWidget;

namespace builder {

class Desktop {
 public:
  virtual ~Desktop() = default;

  // A modal message box with the error icon, owned by `owner`; returns when it is closed.
  virtual void ShowError(QWidget* owner, const QString& caption, const QString& text) = 0;

  // The open dialog for the input file, owned by `owner`; nullopt when the user cancels.
  virtual std::optional<QString> ChooseInputFile(QWidget* owner) = 0;

  // Opens `url` in the user's browser; the outcome is not reported.
  virtual void OpenUrl(const QUrl& url) = 0;
};

}  // namespace builder
