// bwickbuild: converts one input file into the handheld's packed database.
//
// With arguments, they are the input path (joined by single blanks, so a path with blanks may
// come unquoted): the window shows, converts at once and closes. Without, it waits for the user.
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <QWindow>
#include <string>

#include "builder/window/builder_window.h"
#include "builder/window/qt_desktop.h"
#include "common/signal_cleanup.h"
#include "window_common/application.h"

namespace {

std::string JoinArguments(int argc, char** argv) {
  std::string path;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) path += ' ';
    path += argv[i];
  }
  return path;
}

// Lets the window appear before a command-line conversion keeps the event loop from running.
void WaitUntilShown(QWidget& window) {
  QTimer guard;
  guard.setSingleShot(true);
  guard.start(2000);
  while (guard.isActive() && !(window.windowHandle() && window.windowHandle()->isExposed())) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

}  // namespace

int main(int argc, char** argv) {
  RemoveTemporaryFilesOnSignals();
  const std::string input_path = JoinArguments(argc, argv);
  // Qt sees no arguments: every one of them belongs to the path, none is a Qt option.
  int qt_argc = 1;
  const auto app = window_common::StartWindowApplication(
      qt_argc, argv, "bwickbuild", "Без окна файл преобразует команда: bwick build ФАЙЛ");
  QApplication::setApplicationName(QStringLiteral("DialmerDBBuilder"));
  QApplication::setDesktopFileName(QStringLiteral("bwickbuild"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/bwickbuild.png")));

  builder::QtDesktop desktop;
  window_common::ClockPace pace(50);
  builder::BuilderWindow window(desktop, pace);
  window.show();
  if (input_path.empty()) return QApplication::exec();

  WaitUntilShown(window);
  window.ConvertAndClose(input_path);
  return 0;
}
