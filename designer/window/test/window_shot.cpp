// Saves a picture of the designer's window with a file loaded, to compare its layout by eye:
//   window_shot <file.csv|file.fsr> <picture.png> [<import-dialog.png>]
// With a third argument, a CSV file's import dialog is pictured too, as it opens for the file
// (with its warnings), remembering nothing.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "designer/window/import_dialog.h"
#include "designer/window/main_window.h"
#include "designer/window/test/scripted_dialogs.h"
#include "window_common/window_font.h"

namespace {

bool ShootImportDialog(const QString& path, const QString& picture) {
  const StatusOr<designer::CsvGuess> guessed =
      designer::GuessCsvFile(QFile::encodeName(path).toStdString(), std::nullopt, ";");
  if (!guessed.ok()) return false;
  const designer::CsvGuess& guess = guessed.value();
  QTemporaryDir dir;
  QSettings store(dir.filePath(QStringLiteral("import.ini")), QSettings::IniFormat);
  designer::ImportDialog dialog(nullptr, path, guess, true, store);
  dialog.setFont(window_common::WindowFont());
  dialog.show();
  auto* warnings = dialog.findChild<QLabel*>(QStringLiteral("warningsLabel"));
  for (int i = 0; i < 100 && warnings->text().endsWith(QChar(0x2026)); ++i) QTest::qWait(20);
  return dialog.grab().save(picture);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("BWick DB Designer"));
  if (argc != 3 && argc != 4) return 2;
  designer::ScriptedDialogs dialogs;
  designer::MainWindow window(&dialogs, QCoreApplication::applicationDirPath());
  window.show();
  window.OpenFile(QString::fromLocal8Bit(argv[1]));
  QApplication::processEvents();
  if (!window.grab().save(QString::fromLocal8Bit(argv[2]))) return 1;
  if (argc == 4 &&
      !ShootImportDialog(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[3])))
    return 1;
  return 0;
}
