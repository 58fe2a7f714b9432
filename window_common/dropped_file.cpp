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
  DropWatcher(QWidget* widget, std::function<void(const QString&)> open)
      : QObject(widget), open_(std::move(open)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
      return QObject::eventFilter(watched, event);
    }
    // Entering and moving drags are drop events too.
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = DroppedFilePath(*drop->mimeData());
    // Anything but one file (a text dragged into an edit box, say) is the widget's own business.
    if (path.isEmpty()) return QObject::eventFilter(watched, event);
    drop->acceptProposedAction();
    if (type == QEvent::Drop) open_(path);
    return true;
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

void OpenDroppedFiles(QWidget* widget, std::function<void(const QString& path)> open) {
  widget->setAcceptDrops(true);
  widget->installEventFilter(new DropWatcher(widget, std::move(open)));
}

}  // namespace window_common
