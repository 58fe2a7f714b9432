// The reading options at the top of the import dialog, one panel per kind of table: a text file's
// encoding, splitter and quotes (TextOptionsPanel), a workbook's sheet (SheetOptionsPanel). The
// rest of the dialog stays as it is.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "designer/model/csv_detect.h"
#include "designer/model/csv_table.h"
#include "spreadsheet/workbook.h"

class QComboBox;
class QLineEdit;
class QSettings;

namespace designer {

class ImportOptionsPanel : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;

  // Puts the panel's choices into `settings`, leaving the rest of it as it is.
  virtual void Apply(CsvSettings& settings) const = 0;
  // Keeps the choices in `store` for the next dialog.
  virtual void Remember(QSettings& store) const = 0;

 signals:
  // A choice changed.
  void Changed();
};

// Кодировка, Разделитель and Кавычки of a text file. The splitter and the quotes the file's first
// lines suggest are preselected; a file that suggests no splitter gets the one remembered (";"
// the first time). The encoding is the one remembered, "Автоматически" the first time, which
// names the encoding found.
class TextOptionsPanel : public ImportOptionsPanel {
  Q_OBJECT
 public:
  TextOptionsPanel(QWidget* parent, const CsvGuess& guess, const QSettings& store);

  void Apply(CsvSettings& settings) const override;
  void Remember(QSettings& store) const override;

 private:
  // Selects `splitter` (document text) among the listed ones, or as another character.
  void SelectSplitter(const std::string& splitter);
  std::string ChosenSplitter() const;

  CsvGuess guess_;
  QComboBox* encoding_ = nullptr;
  QComboBox* splitter_ = nullptr;
  QLineEdit* other_splitter_ = nullptr;  // the character of "другой"
  QComboBox* quotes_ = nullptr;
};

// Лист of a workbook: its sheets in the order of its tabs, hidden ones marked "(скрытый)", the
// first visible one preselected.
class SheetOptionsPanel : public ImportOptionsPanel {
  Q_OBJECT
 public:
  SheetOptionsPanel(QWidget* parent, const std::vector<spreadsheet::SheetInfo>& sheets);

  void Apply(CsvSettings& settings) const override;
  // Sheets are a file's own: nothing is kept.
  void Remember(QSettings&) const override {}

 private:
  QComboBox* sheet_ = nullptr;
};

}  // namespace designer
