#include "window_common/application.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace window_common {

namespace {

const char* g_program = "";
const char* g_without_window = "";
QtMessageHandler g_previous_handler = nullptr;

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Why the platform could not start, as far as the environment tells.
std::string Reason() {
  if (const std::string platform = Variable("QT_QPA_PLATFORM"); !platform.empty()) {
    return "платформа окон «" + platform + "» недоступна";
  }
  const std::string wayland = Variable("WAYLAND_DISPLAY");
  const std::string x11 = Variable("DISPLAY");
  if (wayland.empty() && x11.empty()) {
    return "нет графического дисплея (не заданы DISPLAY и WAYLAND_DISPLAY)";
  }
  return "дисплей «" + (x11.empty() ? wayland : x11) + "» недоступен";
}

// While the application starts, Qt ends the process with a fatal message when its platform
// cannot start; that becomes our message and status 1. Qt's own notes about the display
// ("qt.qpa.*") would only repeat the reason in English.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s: не удалось открыть окно: %s.\n%s\n", g_program, Reason().c_str(),
                 g_without_window);
    std::fflush(stderr);
    std::_Exit(1);
  }
  if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0) return;
  if (g_previous_handler) g_previous_handler(type, context, message);
}

}  // namespace

std::unique_ptr<QApplication> StartWindowApplication(int& argc, char** argv, const char* program,
                                                     const char* without_window) {
  g_program = program;
  g_without_window = without_window;
  g_previous_handler = qInstallMessageHandler(StartupMessageHandler);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(g_previous_handler);
  InstallQtRussianTranslation(*application);
  return application;
}

bool InstallQtRussianTranslation(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  if (!translator->load(QStringLiteral("qtbase_ru"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace window_common
