// Every dialog and message box of the viewer goes through ViewerDialogs, so that tests can
// answer them; QtViewerDialogs shows the real ones.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace viewer {

class ViewerDialogs {
 public:
  virtual ~ViewerDialogs() = default;
  // The open dialog in the folder of `last_path` (the system's choice when empty), offering the
  // book files; the chosen path, none on cancel.
  virtual std::optional<QString> ChooseBook(const QString& last_path) = 0;
  // The save dialog for the results as CSV, starting at `suggested`; it asks before replacing
  // a file. The chosen path, none on cancel.
  virtual std::optional<QString> ChooseResultsFile(const QString& suggested) = 0;
  // A modal box with the stop icon: a book that could not be opened, a file not written.
  virtual void ShowFailure(const QString& text) = 0;
  // A modal box without icon.
  virtual void ShowMessage(const QString& text) = 0;
};

class QtViewerDialogs : public ViewerDialogs {
 public:
  explicit QtViewerDialogs(QWidget* owner) : owner_(owner) {}
  std::optional<QString> ChooseBook(const QString& last_path) override;
  std::optional<QString> ChooseResultsFile(const QString& suggested) override;
  void ShowFailure(const QString& text) override;
  void ShowMessage(const QString& text) override;

 private:
  QWidget* owner_;
};

}  // namespace viewer
