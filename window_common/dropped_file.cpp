#include "window_common/dropped_file.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <utility>

namespace window_common {

namespace {

class DropWatcher : public QObject {
 public:
  DropWatcher(QWidget* window, std::function<void(const QString&)> open)
      : QObject(window), open_(std::move(open)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::DragEnter) {
      auto* enter = static_cast<QDragEnterEvent*>(event);
      if (!DroppedFilePath(*enter->mimeData()).isEmpty()) enter->acceptProposedAction();
      return true;
    }
    if (event->type() == QEvent::Drop) {
      auto* drop = static_cast<QDropEvent*>(event);
      const QString path = DroppedFilePath(*drop->mimeData());
      if (!path.isEmpty()) {
        drop->acceptProposedAction();
        open_(path);
      }
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void(const QString&)> open_;
};

}  // namespace

QString DroppedFilePath(const QMimeData& data) {
  const QList<QUrl> urls = data.urls();
  if (urls.size() != 1 || !urls.first().isLocalFile()) return {};
  return urls.first().toLocalFile();
}

void OpenDroppedFiles(QWidget* window, std::function<void(const QString& path)> open) {
  window->setAcceptDrops(true);
  window->installEventFilter(new DropWatcher(window, std::move(open)));
}

}  // namespace window_common
