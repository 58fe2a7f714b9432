// The import dialog: how a table (a CSV file, a workbook's sheet) is to be read, with a preview of
// its first records as they will be read and the warnings over the whole file, both following
// every change.
//
// From top to bottom: the reading options of the kind of table (ImportOptionsPanel; for a text
// file its encoding, splitter and quotes, for a workbook its sheet), "Первая строка содержит
// названия полей", the lines to pass over, the preview of the first kPreviewRecords records with
// the field names as headings, the warnings line, ОК and Отмена. Every change reads the first
// records again at once (the model reads one block of the file for them) and starts the warnings'
// pass over the whole file on a worker thread, which the next change stops; the dialog shows its
// answer when it comes, so typing is never held up. A settings that the file refuses (more than 5
// fields, no text) is shown in place of the warnings, and ОК waits for another. ОК keeps the
// choices in the given QSettings for the next dialog; Отмена and Esc keep nothing.
#pragma once

#include <QDialog>
#include <QFuture>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "designer/model/csv_detect.h"
#include "designer/model/csv_table.h"
#include "spreadsheet/workbook.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSettings;
class QSpinBox;
class QTableWidget;
template <typename T>
class QFutureWatcher;

namespace designer {

class ImportOptionsPanel;

class ImportDialog : public QDialog {
  Q_OBJECT
 public:
  // The dialog for the file `path` (as chosen, UTF-8): `guess` preselected, `cut_long_lines` the
  // window's long-line option; the choices of the last dialog come from `store`, which must
  // outlive the dialog.
  ImportDialog(QWidget* parent, const QString& path, const CsvGuess& guess, bool cut_long_lines,
               QSettings& store);
  // The same for the workbook `path` of `sheets`.
  ImportDialog(QWidget* parent, const QString& path,
               const std::vector<spreadsheet::SheetInfo>& sheets, bool cut_long_lines,
               QSettings& store);
  ~ImportDialog() override;

  // The settings as the dialog shows them: after ОК, those the file is to be read with.
  CsvSettings ChosenSettings() const;

  void accept() override;

 private:
  // What the warnings' pass over the whole file found.
  struct WholeFile {
    int generation = 0;  // the change it was started for
    Status status = Status::Ok();
    TableWarnings warnings;
    std::int32_t records = 0;
  };

  // What both constructors set before they choose their options panel.
  ImportDialog(QWidget* parent, const QString& path, bool cut_long_lines, QSettings& store);
  // The part of the constructors that follows the choice of `options`.
  void Start(ImportOptionsPanel* options, int skip_lines);
  void CreateLayout();
  // Reads the first records again and restarts the warnings' pass.
  void Redraw();
  void ShowPreview(const CsvTable& table, bool names);
  void ShowRefusal(const Status& status);
  void StartWholeFile(const CsvSettings& settings);
  void ShowWholeFile();
  // Tells the pass still running to stop; it holds nothing of the dialog and ends on its own.
  void StopWholeFile();

  std::string path_;  // native
  bool cut_long_lines_;
  QSettings& store_;
  ImportOptionsPanel* options_ = nullptr;
  QCheckBox* first_line_names_ = nullptr;
  QSpinBox* skip_lines_ = nullptr;
  QTableWidget* preview_ = nullptr;
  QLabel* warnings_ = nullptr;
  QPushButton* ok_ = nullptr;

  int generation_ = 0;
  std::shared_ptr<std::atomic<bool>> stop_;  // of the pass started last
  std::vector<QFuture<WholeFile>> passes_;   // started and perhaps still running
  QFutureWatcher<WholeFile>* watcher_ = nullptr;
};

}  // namespace designer
