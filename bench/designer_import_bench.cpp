// Times the designer's opening of a file in its window, the way the open command opens it (every
// status text, repaint and the first-line question of a CSV import included), on the offscreen
// platform, and prints the seconds it took. The window is shown, so its repaints cost what they
// cost. A CSV file is imported; a book (".fdb", ".zdb", ".db") is read through once. Given a
// TARGET, the save command then writes the document there (progress included, no export), and
// the seconds of the save follow on the same line.
//
// Usage: designer_import_bench FILE [TARGET]
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QString>
#include <cstdio>

#include "designer/window/dialogs.h"
#include "designer/window/main_window.h"

namespace {

// Takes the settings the import dialog preselects, with the first line as the names, answers Yes
// to any question and remembers any message, which would mean the import did not run through.
class AnsweringDialogs : public designer::Dialogs {
 public:
  std::optional<QString> ChooseFileToOpen(const QString&, const QStringList&) override {
    return std::nullopt;
  }
  std::optional<QString> ChooseFileToSave(const QString&, const QString&, const QStringList&,
                                          const QString&) override {
    return target;
  }
  std::optional<designer::CsvSettings> ChooseImportSettings(const QString&,
                                                            const designer::CsvGuess& guess,
                                                            bool) override {
    return designer::CsvSettings{.encoding = guess.encoding,
                                 .splitter = guess.splitter.value_or(";"),
                                 .quoted = guess.quoted,
                                 .first_line_has_names = true,
                                 .skip_lines = guess.skip_lines};
  }
  std::optional<designer::CsvSettings> ChooseSheetSettings(
      const QString&, const std::vector<spreadsheet::SheetInfo>&, bool) override {
    return designer::CsvSettings{.first_line_has_names = true};
  }
  bool ConfirmDesignMatch(const QStringList&, const QStringList&) override { return true; }
  // No to the export.
  bool AskYesNo(const QString& text) override { return !text.contains(QStringLiteral("экспорт")); }
  designer::Answer AskYesNoCancel(const QString&) override { return designer::Answer::kNo; }
  void ShowMessage(designer::MessageKind, const QString& text) override { message = text; }
  void ShowCaptionedMessage(const QString&, const QString& text) override { message = text; }

  QString message;
  QString target;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: designer_import_bench FILE [TARGET]\n");
    return 2;
  }
  AnsweringDialogs dialogs;
  designer::MainWindow window(&dialogs, QCoreApplication::applicationDirPath());
  window.show();
  QApplication::processEvents();

  QElapsedTimer timer;
  timer.start();
  window.OpenFile(QString::fromLocal8Bit(argv[1]));
  QApplication::processEvents();
  const double seconds = timer.nsecsElapsed() / 1e9;

  if (!dialogs.message.isEmpty() || window.document().FieldCount == 0) {
    std::fprintf(stderr, "opening failed: %s\n", dialogs.message.toUtf8().constData());
    return 1;
  }
  std::printf("%.3f %d", seconds, window.document().RecordCount);
  if (argc == 3) {
    dialogs.target = QString::fromLocal8Bit(argv[2]);
    window.findChild<QLineEdit*>(QStringLiteral("databaseName"))->setText(QStringLiteral("Staff"));
    timer.restart();
    window.findChild<QAction*>(QStringLiteral("saveItem"))->trigger();
    QApplication::processEvents();
    std::printf(" %.3f", timer.nsecsElapsed() / 1e9);
    if (!dialogs.message.isEmpty()) {
      std::fprintf(stderr, "\nsaving failed: %s\n", dialogs.message.toUtf8().constData());
      return 1;
    }
  }
  std::printf("\n");
  return 0;
}
