// The start of a window program: the application object with Qt's own texts in Russian, or,
// where no window can be opened, a clear message instead of Qt's abort.
#pragma once

#include <QApplication>
#include <memory>

namespace window_common {

// Creates the application of the program `program` (its name, for messages). When no window
// can be opened, writes why in Russian and `without_window` (what to use instead) to standard
// error and ends the process with status 1. `argc` must outlive the application.
std::unique_ptr<QApplication> StartWindowApplication(int& argc, char** argv, const char* program,
                                                     const char* without_window);

// Makes Qt's own texts (standard buttons, file dialogs, edit menus) Russian, whatever the user's
// locale. False when Qt's Russian translation is not installed; the texts stay English then.
bool InstallQtRussianTranslation(QCoreApplication& application);

}  // namespace window_common
