// Saves a picture of the designer's window with a file loaded, to compare its layout by eye:
//   window_shot <file.csv|file.fsr> <picture.png>
#include <QApplication>
#include <QPixmap>

#include "designer/window/form1.h"
#include "designer/window/test/scripted_dialogs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("BWick DB Designer"));
  if (argc != 3) return 2;
  ScriptedDialogs dialogs;
  TForm1 form(&dialogs, QCoreApplication::applicationDirPath());
  form.show();
  form.OpenFile(QString::fromLocal8Bit(argv[1]));
  QApplication::processEvents();
  return form.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
