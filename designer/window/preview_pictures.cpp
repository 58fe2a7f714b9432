#include "designer/window/preview_pictures.h"

#include <QImage>
#include <QImageReader>
#include <QtGlobal>

QPixmap LoadScreenPicture(const QString& resource) {
  QImageReader reader(resource, "gif");
  const QImage image = reader.read();
  if (image.isNull()) {
    qWarning("Screen picture %s cannot be read: %s", qUtf8Printable(resource),
             qUtf8Printable(reader.errorString()));
    return {};
  }
  return QPixmap::fromImage(image);
}
