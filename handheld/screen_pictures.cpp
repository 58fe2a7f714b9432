#include "handheld/screen_pictures.h"

#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QtGlobal>

// Q_INIT_RESOURCE declares the resource's own function, which lives in no namespace.
static void InitScreensResource() { Q_INIT_RESOURCE(screens); }

namespace handheld {

namespace {

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

}  // namespace

void RegisterScreenPictures() { InitScreensResource(); }

QLabel* AddScreenPicture(QWidget* screen, const char* object_name, const char* resource) {
  auto* picture = new QLabel(screen);
  picture->setObjectName(QString::fromLatin1(object_name));
  picture->setGeometry(1, 1, kScreenWidth, kScreenHeight);
  picture->setPixmap(LoadScreenPicture(QString::fromLatin1(resource)));
  return picture;
}

}  // namespace handheld
