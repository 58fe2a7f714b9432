#include "window_common/dropped_file.h"

#include <QMimeData>
#include <QUrl>

namespace window_common {

QString DroppedFilePath(const QMimeData& data) {
  const QList<QUrl> urls = data.urls();
  if (urls.size() != 1 || !urls.first().isLocalFile()) return {};
  return urls.first().toLocalFile();
}

}  // namespace window_common
