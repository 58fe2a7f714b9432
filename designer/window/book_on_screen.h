// "Просмотр справочника…": the design as it stands, saved or not, built into a temporary book
// and shown in the viewer's window. One viewer window serves every call and is reloaded; F5 in
// it builds and reloads again. The user's files are never touched: the source file and the
// database are written in a temporary folder of this object's own, with the builder's
// conversion, and the viewer runs in the designer's process.
#pragma once

#include <QObject>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>

#include "common/status.h"
#include "designer/window/dialogs.h"

namespace viewer {
class ViewerDialogs;
class ViewerWindow;
}  // namespace viewer

namespace designer {

class BookOnScreen : public QObject {
 public:
  struct Design {
    // Writes the design as a source file at the native path given.
    std::function<Status(const std::string& source_path)> write_source;
    // Called now and then while the book is built, so the window can answer.
    std::function<void()> progress;
  };
  BookOnScreen(QObject* parent, Dialogs& dialogs, Design design);
  ~BookOnScreen() override;

  // Builds the book and shows it; a failure is reported through the dialogs.
  void Show();
  // The viewer's window, once shown (tests).
  viewer::ViewerWindow* viewer() const { return viewer_.get(); }

 private:
  Status Build(const std::string& book_path);

  Dialogs& dialogs_;
  Design design_;
  QTemporaryDir folder_;
  std::unique_ptr<viewer::ViewerDialogs> viewer_dialogs_;
  std::unique_ptr<viewer::ViewerWindow> viewer_;
};

}  // namespace designer
