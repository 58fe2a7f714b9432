// Saves a picture of the designer's window with a file loaded, to compare its layout by eye:
//   window_shot <file.csv|file.fsr> <picture.png>
#include <QApplication>
#include <QPixmap>

#include "designer/window/main_window.h"
#include "designer/window/test/scripted_dialogs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("BWick DB Designer"));
  if (argc != 3) return 2;
  designer::ScriptedDialogs dialogs;
  designer::MainWindow window(&dialogs, QCoreApplication::applicationDirPath());
  window.show();
  window.OpenFile(QString::fromLocal8Bit(argv[1]));
  QApplication::processEvents();
  return window.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
