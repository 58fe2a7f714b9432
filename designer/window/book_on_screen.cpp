#include "designer/window/book_on_screen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

#include "builder/convert/table_database.h"

namespace designer {
namespace {

const char kViewerProgram[] = "bwickview";

// The conversion's status texts only pace the window.
class QuietReporter : public builder::Reporter {
 public:
  explicit QuietReporter(const std::function<void()>& progress) : progress_(progress) {}
  void StatusText(const std::string&) override {
    if (progress_) progress_();
  }

 private:
  const std::function<void()>& progress_;
};

}  // namespace

BookOnScreen::BookOnScreen(QObject* parent, QString application_dir, Design design)
    : QObject(parent), application_dir_(std::move(application_dir)), design_(std::move(design)) {}

BookOnScreen::~BookOnScreen() { StopViewer(); }

Status BookOnScreen::Build(const std::string& book_path) {
  if (!folder_.isValid())
    return Status::Error("Не удалось создать временную папку для справочника.");
  const std::string source =
      QFile::encodeName(folder_.filePath(QStringLiteral("book.fsr"))).toStdString();
  if (Status written = design_.write_source(source); !written.ok()) return written;
  QuietReporter reporter(design_.progress);
  const builder::ConversionResult converted =
      builder::ConvertSourceFile(source, book_path, reporter);
  if (converted.ok()) return Status::Ok();
  return Status::Error(converted.message());
}

// The viewer reads the whole book when it starts, so the file may be rebuilt under it.
Status BookOnScreen::Show() {
  const QString book = folder_.filePath(QStringLiteral("book.db"));
  if (Status built = Build(QFile::encodeName(book).toStdString()); !built.ok()) return built;
  StopViewer();
  const QString program = QDir(application_dir_).filePath(QString::fromLatin1(kViewerProgram));
  if (QFileInfo(program).isExecutable()) {
    viewer_.start(program, {book});
    if (viewer_.waitForStarted()) return Status::Ok();
  }
  return Status::Error("Ошибка запуска программы просмотра справочника!");
}

void BookOnScreen::StopViewer() {
  if (viewer_.state() == QProcess::NotRunning) return;
  viewer_.terminate();
  if (!viewer_.waitForFinished(3000)) {
    viewer_.kill();
    viewer_.waitForFinished();
  }
}

}  // namespace designer
