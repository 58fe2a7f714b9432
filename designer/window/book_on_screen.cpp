#include "designer/window/book_on_screen.h"

#include <QFile>
#include <QShortcut>

#include "builder/convert/table_database.h"
#include "viewer/search/book.h"
#include "viewer/window/viewer_dialogs.h"
#include "viewer/window/viewer_window.h"

namespace designer {
namespace {

// The viewer's boxes go through the designer's dialogs, so tests answer them as the others.
class ViewerThroughDesigner : public viewer::ViewerDialogs {
 public:
  explicit ViewerThroughDesigner(Dialogs& dialogs) : dialogs_(dialogs) {}
  QString ChooseBook(const QString& last_path) override {
    return dialogs_.ChooseBookToView(last_path, {});
  }
  void ShowFailure(const QString& text) override {
    dialogs_.ShowMessage(MessageKind::kFailure, text);
  }
  void ShowMessage(const QString& text) override {
    dialogs_.ShowMessage(MessageKind::kPlain, text);
  }

 private:
  Dialogs& dialogs_;
};

// The conversion's messages become the failure's text; its status texts only pace the window.
class QuietReporter : public builder::Reporter {
 public:
  explicit QuietReporter(const std::function<void()>& progress) : progress_(progress) {}
  void StatusText(const std::string&) override {
    if (progress_) progress_();
  }
  void ErrorMessage(const std::string&, const std::string& text) override {
    if (messages.empty()) messages = text;
  }
  std::string messages;

 private:
  const std::function<void()>& progress_;
};

}  // namespace

BookOnScreen::BookOnScreen(QObject* parent, Dialogs& dialogs, Design design)
    : QObject(parent), dialogs_(dialogs), design_(std::move(design)) {}

BookOnScreen::~BookOnScreen() = default;

Status BookOnScreen::Build(const std::string& book_path) {
  if (!folder_.isValid())
    return Status::Error("Не удалось создать временную папку для справочника.");
  const std::string source =
      QFile::encodeName(folder_.filePath(QStringLiteral("book.fsr"))).toStdString();
  if (Status written = design_.write_source(source); !written.ok()) return written;
  QuietReporter reporter(design_.progress);
  const Status converted = builder::ConvertSourceFile(source, book_path, reporter);
  if (converted.ok()) return converted;
  return Status::Error(reporter.messages.empty() ? converted.message() : reporter.messages);
}

void BookOnScreen::Show() {
  const std::string book_path =
      QFile::encodeName(folder_.filePath(QStringLiteral("book.db"))).toStdString();
  Status status = Build(book_path);
  viewer::Book book;
  if (status.ok()) status = viewer::LoadBook(book_path, book);
  if (!status.ok()) {
    ReportStatus(dialogs_, status);
    return;
  }
  if (!viewer_) {
    viewer_dialogs_ = std::make_unique<ViewerThroughDesigner>(dialogs_);
    viewer_ = std::make_unique<viewer::ViewerWindow>(viewer_dialogs_.get());
    viewer_->setObjectName(QStringLiteral("bookViewer"));
    connect(new QShortcut(Qt::Key_F5, viewer_.get()), &QShortcut::activated, this,
            &BookOnScreen::Show);
  }
  viewer_->ShowBook(std::move(book));
  viewer_->show();
  viewer_->raise();
  viewer_->activateWindow();
}

}  // namespace designer
