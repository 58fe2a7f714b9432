#include "designer/window/toolbar_images.h"

#include <QPainter>
#include <QPolygon>

namespace {

QPixmap EmptyImage(int width, int height) {
  QPixmap image(width, height);
  image.fill(Qt::transparent);
  return image;
}

}  // namespace

QPixmap OpenFolderImage() {
  QPixmap image = EmptyImage(16, 16);
  QPainter p(&image);
  p.setPen(QColor(0x80, 0x60, 0x00));
  p.setBrush(QColor(0xE8, 0xC0, 0x40));
  p.drawPolygon(QPolygon(
      {QPoint(0, 3), QPoint(5, 3), QPoint(6, 4), QPoint(12, 4), QPoint(12, 13), QPoint(0, 13)}));
  p.setBrush(QColor(0xFF, 0xE0, 0x80));
  p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(12, 13), QPoint(0, 13)}));
  return image;
}

QPixmap FloppyDiskImage() {
  QPixmap image = EmptyImage(16, 16);
  QPainter p(&image);
  p.setPen(Qt::black);
  p.setBrush(QColor(0x20, 0x40, 0xA0));
  p.drawRect(1, 1, 13, 13);
  p.setBrush(Qt::white);
  p.drawRect(3, 1, 9, 6);
  p.setBrush(QColor(0xC0, 0xC0, 0xC0));
  p.drawRect(4, 9, 7, 5);
  p.fillRect(5, 10, 2, 3, Qt::black);
  return image;
}

QPixmap DoorImage() {
  QPixmap image = EmptyImage(16, 16);
  QPainter p(&image);
  p.setPen(Qt::black);
  p.setBrush(QColor(0x60, 0x60, 0x60));
  p.drawRect(3, 0, 10, 15);
  p.setBrush(QColor(0xA0, 0x60, 0x20));
  p.drawPolygon(QPolygon({QPoint(3, 0), QPoint(10, 2), QPoint(10, 15), QPoint(3, 15)}));
  p.fillRect(8, 8, 2, 2, QColor(0xFF, 0xE0, 0x40));
  return image;
}

QPixmap HelpBookImage() {
  QPixmap image = EmptyImage(16, 16);
  QPainter p(&image);
  p.setPen(Qt::black);
  p.setBrush(QColor(0x20, 0x60, 0x20));
  p.drawRect(2, 1, 11, 13);
  p.fillRect(3, 12, 10, 2, Qt::white);
  p.setPen(QPen(QColor(0xFF, 0xFF, 0x00), 2));
  p.drawArc(5, 3, 6, 5, 0, 180 * 16);
  p.drawLine(11, 5, 8, 8);
  p.drawLine(8, 8, 8, 9);
  p.drawPoint(8, 11);
  return image;
}

QPixmap RowMarkerImage() {
  QPixmap image = EmptyImage(6, 11);
  QPainter p(&image);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawPolygon(QPolygon({QPoint(0, 0), QPoint(6, 5), QPoint(6, 6), QPoint(0, 11)}));
  return image;
}

QIcon DesignerIcon() {
  QPixmap image = EmptyImage(32, 32);
  QPainter p(&image);
  p.setPen(Qt::black);
  p.setBrush(QColor(0x30, 0x30, 0x30));
  p.drawRoundedRect(6, 1, 20, 30, 3, 3);
  p.setBrush(QColor(0xE0, 0xF0, 0xFF));
  p.drawRect(8, 4, 16, 22);
  p.setPen(QColor(0x20, 0x40, 0xA0));
  for (int y = 8; y <= 22; y += 4) p.drawLine(10, y, 22, y);
  return QIcon(image);
}
