// Dialogs for tests: the answers come from a script, and every box shown is recorded.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "designer/window/dialogs.h"

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

  std::deque<QString> open_answers;  // empty string: cancel
  std::deque<QString> save_answers;
  std::deque<bool> yes_no_answers;           // when used up, every question is answered Yes
  std::deque<Answer> yes_no_cancel_answers;  // when used up: Cancel

  QStringList open_filters;
  QString open_last_path;
  QString proposed_book;  // by the last dialog for a book to view
  std::vector<SaveRequest> save_requests;
  QStringList questions;
  std::vector<Shown> messages;

  QString ChooseFileToOpen(const QString& last_path, const QStringList& filters) override {
    open_last_path = last_path;
    open_filters = filters;
    return Next(open_answers);
  }
  QString ChooseBookToView(const QString& proposed, const QStringList& filters) override {
    proposed_book = proposed;
    open_filters = filters;
    return Next(open_answers);
  }
  QString ChooseFileToSave(const QString& folder, const QString& file_name,
                           const QStringList& filters, const QString& default_suffix) override {
    save_requests.push_back({folder, file_name, filters, default_suffix});
    return Next(save_answers);
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
  static QString Next(std::deque<QString>& answers) {
    if (answers.empty()) return {};
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace designer
