// Dialogs for tests: the answers come from a script, and every box shown is recorded.
#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "designer/model/csv_import.h"
#include "designer/window/dialogs.h"
#include "designer/window/document_text.h"

namespace designer {

class ScriptedDialogs : public Dialogs {
 public:
  struct Shown {
    MessageKind kind;
    QString text;
    QString caption;  // only of a captioned message
  };
  struct SaveRequest {
    QString folder;
    QString file_name;
    QStringList filters;
    QString default_suffix;
  };

  std::deque<QString> open_answers;  // when used up: Отмена
  std::deque<QString> save_answers;
  std::deque<bool> yes_no_answers;           // when used up, every question is answered Yes
  std::deque<Answer> yes_no_cancel_answers;  // when used up: Cancel
  // The import dialog: `import_dialog` answers it when set (a test drives the real one);
  // otherwise the next of `import_answers` (none: Отмена); when they are used up, the file's
  // guess is taken and the first-line check box is answered as the first-line question was
  // before the dialog: from yes_no_answers, the question shown in `questions`.
  std::function<std::optional<CsvSettings>(const QString&, const CsvGuess&, bool)> import_dialog;
  // The import dialog of a workbook: `sheet_dialog` when set, else the first visible sheet with
  // the names in its first row.
  std::function<std::optional<CsvSettings>(const QString&,
                                           const std::vector<spreadsheet::SheetInfo>&, bool)>
      sheet_dialog;
  std::deque<std::optional<CsvSettings>> import_answers;
  std::vector<CsvGuess> import_guesses;  // what each import dialog was given
  // The match of a refresh: the next answer (none left: Отмена), and what was shown.
  std::deque<bool> match_answers;
  QStringList shown_match;
  QStringList shown_match_warnings;

  QStringList open_filters;
  QString open_last_path;
  std::vector<SaveRequest> save_requests;
  QStringList questions;
  std::vector<Shown> messages;

  std::optional<QString> ChooseFileToOpen(const QString& last_path,
                                          const QStringList& filters) override {
    open_last_path = last_path;
    open_filters = filters;
    return Next(open_answers);
  }
  std::optional<QString> ChooseFileToSave(const QString& folder, const QString& file_name,
                                          const QStringList& filters,
                                          const QString& default_suffix) override {
    save_requests.push_back({folder, file_name, filters, default_suffix});
    return Next(save_answers);
  }
  std::optional<CsvSettings> ChooseImportSettings(const QString& path, const CsvGuess& guess,
                                                  bool cut_long_lines) override {
    import_guesses.push_back(guess);
    if (import_dialog) return import_dialog(path, guess, cut_long_lines);
    if (!import_answers.empty()) {
      std::optional<CsvSettings> answer = import_answers.front();
      import_answers.pop_front();
      return answer;
    }
    CsvSettings settings{.splitter = guess.splitter.value_or(";"),
                         .quoted = guess.quoted,
                         .skip_lines = guess.skip_lines};
    // A file the import refuses asked no question.
    const StatusOr<CsvHead> head = ReadCsvHead(QFile::encodeName(path).toStdString(), settings);
    if (head.ok())
      settings.first_line_has_names = AskYesNo(MessageText(FirstLineQuestion(head->first)));
    return settings;
  }
  bool ConfirmDesignMatch(const QStringList& match, const QStringList& warnings) override {
    shown_match = match;
    shown_match_warnings = warnings;
    if (match_answers.empty()) return false;
    const bool answer = match_answers.front();
    match_answers.pop_front();
    return answer;
  }
  std::optional<CsvSettings> ChooseSheetSettings(const QString& path,
                                                 const std::vector<spreadsheet::SheetInfo>& sheets,
                                                 bool cut_long_lines) override {
    if (sheet_dialog) return sheet_dialog(path, sheets, cut_long_lines);
    return CsvSettings{.first_line_has_names = true};
  }
  bool AskYesNo(const QString& text) override {
    questions << text;
    if (yes_no_answers.empty()) return true;
    const bool answer = yes_no_answers.front();
    yes_no_answers.pop_front();
    return answer;
  }
  Answer AskYesNoCancel(const QString& text) override {
    questions << text;
    if (yes_no_cancel_answers.empty()) return Answer::kCancel;
    const Answer answer = yes_no_cancel_answers.front();
    yes_no_cancel_answers.pop_front();
    return answer;
  }
  void ShowMessage(MessageKind kind, const QString& text) override {
    messages.push_back({kind, text, {}});
  }
  void ShowCaptionedMessage(const QString& caption, const QString& text) override {
    messages.push_back({MessageKind::kPlain, text, caption});
  }

 private:
  static std::optional<QString> Next(std::deque<QString>& answers) {
    if (answers.empty()) return std::nullopt;
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace designer
