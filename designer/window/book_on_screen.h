// "Просмотр справочника…": the design as it stands, saved or not, built into a temporary book
// and shown by the viewer, bwickview beside the designer. One viewer serves every call: the book
// is built again and the viewer started again on it, so it shows the design of the last call;
// F5 in the viewer reloads that book. The user's files are never touched: the source file and
// the database are written in a temporary folder of this object's own, with the builder's
// conversion.
#pragma once

#include <QObject>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <string>

#include "common/status.h"

namespace designer {

class BookOnScreen : public QObject {
 public:
  struct Design {
    // Writes the design as a source file at the native path given.
    std::function<Status(const std::string& source_path)> write_source;
    // Called now and then while the book is built, so the window can answer.
    std::function<void()> progress;
  };
  // The viewer is looked for in `application_dir`.
  BookOnScreen(QObject* parent, QString application_dir, Design design);
  ~BookOnScreen() override;

  // Builds the book and shows it in the one viewer; Error when the book cannot be built or the
  // viewer cannot be started.
  Status Show();

 private:
  Status Build(const std::string& book_path);
  void StopViewer();

  QString application_dir_;
  Design design_;
  QTemporaryDir folder_;
  QProcess viewer_;
};

}  // namespace designer
