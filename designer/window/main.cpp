// bwickdesign: the designer of reference books for the handheld's table viewer.
#include <QApplication>
#include <QTimer>

#include "common/signal_cleanup.h"
#include "designer/window/main_window.h"
#include "window_common/application.h"

int main(int argc, char** argv) {
  RemoveTemporaryFilesOnSignals();
  const auto app = window_common::StartWindowApplication(
      argc, argv, "bwickdesign",
      "Без окна CSV-файл импортирует команда: bwick import ФАЙЛ --name НАЗВАНИЕ");
  QApplication::setApplicationName(QStringLiteral("bwickdesign"));
  QApplication::setApplicationDisplayName(QStringLiteral("BWick DB Designer"));
  QGuiApplication::setDesktopFileName(QStringLiteral("bwickdesign"));

  designer::MainWindow window(nullptr, QCoreApplication::applicationDirPath());
  window.show();
  // A file named on the command line (or handed over by the desktop) is opened like a chosen one.
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() > 1) {
    QTimer::singleShot(0, &window, [&window, path = arguments.at(1)] { window.OpenFile(path); });
  }
  return QApplication::exec();
}
