// bwickview: a reference book for the handheld, searched on the desktop as the handheld
// searches it.
//
//   bwickview [BOOK]    BOOK: a ".fdb", ".zdb" or ".db" file
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "viewer/window/viewer_window.h"
#include "window_common/application.h"

namespace {

// The program's icon, as resources/bwickview.svg draws it for the desktop: a handheld whose
// list lies under a magnifying glass.
QIcon ViewerIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::black);
  p.setBrush(QColor(0x30, 0x30, 0x30));
  p.drawRoundedRect(QRectF(6.5, 1.5, 19, 29), 3, 3);
  p.setBrush(QColor(0xE0, 0xF0, 0xFF));
  p.drawRect(QRectF(8.5, 4.5, 15, 21));
  p.setPen(QColor(0x20, 0x40, 0xA0));
  for (int y = 8; y <= 20; y += 4) p.drawLine(QPointF(10, y + 0.5), QPointF(22, y + 0.5));
  p.setPen(QPen(QColor(0xA0, 0x60, 0x20), 3));
  p.drawLine(QPointF(22, 22), QPointF(29, 29));
  p.setPen(QPen(Qt::black, 2));
  p.setBrush(QColor(255, 255, 255, 160));
  p.drawEllipse(QPointF(18, 18), 6, 6);
  return QIcon(pixmap);
}

}  // namespace

int main(int argc, char** argv) {
  const char usage[] =
      "Использование: bwickview [СПРАВОЧНИК]\n"
      "Справочник КПК (.fdb, .zdb, .db) на экранах КПК: поиск, как на КПК.\n";
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(usage, stdout);
    return 0;
  }
  if (argc > 2) {
    std::fprintf(stderr, "bwickview: ожидается не больше одного справочника\n%s", usage);
    return 2;
  }
  // Qt sees no arguments: the one there is names a book, never a Qt option.
  int qt_argc = 1;
  const auto app = window_common::StartWindowApplication(
      qt_argc, argv, "bwickview", "Без окна справочник ищет команда: bwick find ФАЙЛ ПОЛЕ=ТЕКСТ");
  QApplication::setApplicationName(QStringLiteral("bwickview"));
  QApplication::setOrganizationName(QStringLiteral("brindlewick"));
  QApplication::setApplicationDisplayName(QStringLiteral("BWick DB Viewer"));
  QGuiApplication::setDesktopFileName(QStringLiteral("bwickview"));
  QApplication::setWindowIcon(ViewerIcon());

  QSettings settings;  // the recent books
  viewer::ViewerWindow window(nullptr, settings);
  window.show();
  if (argc == 2) {
    const QString path = QFile::decodeName(argv[1]);
    QTimer::singleShot(0, &window, [&window, path] { window.OpenBook(path); });
  }
  return QApplication::exec();
}
