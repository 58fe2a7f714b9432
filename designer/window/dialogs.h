// Every dialog and message box of the designer's window goes through Dialogs, so that tests can
// answer them from a script. QtDialogs shows the real ones.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "common/status.h"
#include "designer/model/csv_detect.h"
#include "designer/model/csv_table.h"
#include "spreadsheet/workbook.h"

class QWidget;

namespace designer {

enum class MessageKind {
  kPlain,        // no icon; caption: the application title
  kInformation,  // information icon
  kWarning,      // warning icon; caption: the application title
  kError,        // error icon, e.g. a builder that cannot be started
  kFailure,      // stop icon and the application title: an error that ended a command
};

// The answer to a question with Yes, No and Cancel.
enum class Answer { kYes, kNo, kCancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Every dialog that can be cancelled returns std::nullopt for Отмена, Esc and closing it.

  // The open dialog, starting in the folder of `last_path` (the system's choice when empty).
  // `filters` are in Qt's "text (pattern ...)" form, the first one selected. The chosen file
  // must exist. Returns the chosen path.
  virtual std::optional<QString> ChooseFileToOpen(const QString& last_path,
                                                  const QStringList& filters) = 0;

  // The save dialog in `folder` proposing `file_name`; `default_suffix` is added to a name typed
  // without one and overwriting an existing file is asked first.
  virtual std::optional<QString> ChooseFileToSave(const QString& folder, const QString& file_name,
                                                  const QStringList& filters,
                                                  const QString& default_suffix) = 0;

  // The import dialog (import_dialog.h) for the text table `path`: `guess` is what the file's
  // first lines suggest, preselected; `cut_long_lines` is the window's long-line option, which
  // decides whether long lines are a warning. Returns the settings chosen with ОК, or none for
  // Отмена and Esc.
  virtual std::optional<CsvSettings> ChooseImportSettings(const QString& path,
                                                          const CsvGuess& guess,
                                                          bool cut_long_lines) = 0;

  // The fields of the open document and the columns of a new table they will read, one line
  // "field ← column" each, with the warnings of the refresh (design_reuse.h): true for ОК, false
  // for Отмена and Esc.
  virtual bool ConfirmDesignMatch(const QStringList& match, const QStringList& warnings) = 0;
  // The import dialog for the workbook `path` of `sheets`, which offers the sheet to read (the
  // first visible one preselected) in place of a text file's reading options; otherwise as
  // ChooseImportSettings.
  virtual std::optional<CsvSettings> ChooseSheetSettings(
      const QString& path, const std::vector<spreadsheet::SheetInfo>& sheets,
      bool cut_long_lines) = 0;

  // A modal question with Yes and No; true for Yes (closing the box counts as No).
  virtual bool AskYesNo(const QString& text) = 0;

  // A modal question with Yes, No and Cancel; closing the box counts as Cancel.
  virtual Answer AskYesNoCancel(const QString& text) = 0;

  // A modal message box with an OK button.
  virtual void ShowMessage(MessageKind kind, const QString& text) = 0;

  // A modal message box without icon, with its own caption and an OK button.
  virtual void ShowCaptionedMessage(const QString& caption, const QString& text) = 0;
};

// Shows a failed command's status: an error with the stop icon, a refusal in a plain box; nothing
// for success. Every command and commit that fails reports here, and the program goes on.
void ReportStatus(Dialogs& dialogs, const Status& status);

// Converts a Windows filter list "text|mask;mask|text|mask" into Qt's "text (mask mask)" form.
QStringList QtFileFilters(const QString& windows_filter);

// The real dialogs, owned by `owner` (the main window).
class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* owner) : owner_(owner) {}

  std::optional<QString> ChooseFileToOpen(const QString& last_path,
                                          const QStringList& filters) override;
  std::optional<QString> ChooseFileToSave(const QString& folder, const QString& file_name,
                                          const QStringList& filters,
                                          const QString& default_suffix) override;
  std::optional<CsvSettings> ChooseImportSettings(const QString& path, const CsvGuess& guess,
                                                  bool cut_long_lines) override;
  bool ConfirmDesignMatch(const QStringList& match, const QStringList& warnings) override;
  std::optional<CsvSettings> ChooseSheetSettings(const QString& path,
                                                 const std::vector<spreadsheet::SheetInfo>& sheets,
                                                 bool cut_long_lines) override;
  bool AskYesNo(const QString& text) override;
  Answer AskYesNoCancel(const QString& text) override;
  void ShowMessage(MessageKind kind, const QString& text) override;
  void ShowCaptionedMessage(const QString& caption, const QString& text) override;

 private:
  QWidget* owner_;
};

}  // namespace designer
