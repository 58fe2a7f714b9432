#include "designer/window/toolbar_images.h"

#include <QPainter>
#include <QPolygon>
#include <functional>

namespace designer {

namespace {

// A transparent image of the given size with `draw` painted on it.
QPixmap Drawn(int width, int height, const std::function<void(QPainter&)>& draw) {
  QPixmap image(width, height);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  draw(painter);
  painter.end();
  return image;
}

// Shapes outlined in black, filled with `fill`.
void BlackOutline(QPainter& p, const QColor& fill) {
  p.setPen(Qt::black);
  p.setBrush(fill);
}

}  // namespace

QPixmap OpenFolderImage() {
  return Drawn(16, 16, [](QPainter& p) {
    p.setPen(QColor(0x80, 0x60, 0x00));
    p.setBrush(QColor(0xE8, 0xC0, 0x40));
    p.drawPolygon(QPolygon(
        {QPoint(0, 3), QPoint(5, 3), QPoint(6, 4), QPoint(12, 4), QPoint(12, 13), QPoint(0, 13)}));
    p.setBrush(QColor(0xFF, 0xE0, 0x80));
    p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(12, 13), QPoint(0, 13)}));
  });
}

QPixmap FloppyDiskImage() {
  return Drawn(16, 16, [](QPainter& p) {
    BlackOutline(p, QColor(0x20, 0x40, 0xA0));
    p.drawRect(1, 1, 13, 13);
    p.setBrush(Qt::white);  // the label
    p.drawRect(3, 1, 9, 6);
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));  // the shutter
    p.drawRect(4, 9, 7, 5);
    p.fillRect(5, 10, 2, 3, Qt::black);
  });
}

QPixmap DoorImage() {
  return Drawn(16, 16, [](QPainter& p) {
    BlackOutline(p, QColor(0x60, 0x60, 0x60));  // the frame
    p.drawRect(3, 0, 10, 15);
    p.setBrush(QColor(0xA0, 0x60, 0x20));  // the open leaf
    p.drawPolygon(QPolygon({QPoint(3, 0), QPoint(10, 2), QPoint(10, 15), QPoint(3, 15)}));
    p.fillRect(8, 8, 2, 2, QColor(0xFF, 0xE0, 0x40));
  });
}

QPixmap HelpBookImage() {
  return Drawn(16, 16, [](QPainter& p) {
    BlackOutline(p, QColor(0x20, 0x60, 0x20));
    p.drawRect(2, 1, 11, 13);
    p.fillRect(3, 12, 10, 2, Qt::white);          // the pages
    p.setPen(QPen(QColor(0xFF, 0xFF, 0x00), 2));  // the question mark
    p.drawArc(5, 3, 6, 5, 0, 180 * 16);
    p.drawLine(11, 5, 8, 8);
    p.drawLine(8, 8, 8, 9);
    p.drawPoint(8, 11);
  });
}

QPixmap RowMarkerImage() {
  return Drawn(6, 11, [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygon({QPoint(0, 0), QPoint(6, 5), QPoint(6, 6), QPoint(0, 11)}));
  });
}

QIcon DesignerIcon() {
  return QIcon(Drawn(32, 32, [](QPainter& p) {
    BlackOutline(p, QColor(0x30, 0x30, 0x30));  // a handheld
    p.drawRoundedRect(6, 1, 20, 30, 3, 3);
    p.setBrush(QColor(0xE0, 0xF0, 0xFF));  // its screen with a list
    p.drawRect(8, 4, 16, 22);
    p.setPen(QColor(0x20, 0x40, 0xA0));
    for (int y = 8; y <= 22; y += 4) p.drawLine(10, y, 22, y);
  }));
}

}  // namespace designer
