// A DesignerView for tests: control values are plain members, and everything the readers and
// the writer tell the window is recorded.
#pragma once

#include <string>
#include <vector>

#include "designer/model/designer_view.h"

namespace designer {

class FakeDesignerView : public DesignerView {
 public:
  std::string database_name;
  std::string splitter = ";";
  bool cut_long_lines = true;
  bool answer_yes = true;  // the answer to every question

  std::string status[4];
  std::vector<std::string> repainted_status;  // texts that were put on the screen at once
  std::vector<std::string> questions;
  std::vector<std::string> messages;
  int progress_maximum = -1;
  int progress_position = -1;
  bool progress_visible = false;
  int loaded_count = 0;

  std::string DatabaseName() const override { return database_name; }
  void SetDatabaseName(const std::string& name) override { database_name = name; }
  std::string Splitter() const override { return splitter; }
  void SetSplitter(const std::string& value) override { splitter = value; }
  bool CutLongLines() const override { return cut_long_lines; }
  void SetCutLongLines(bool cut) override { cut_long_lines = cut; }
  void SetStatusText(int panel, const std::string& text, bool repaint_now) override {
    status[panel] = text;
    if (repaint_now) repainted_status.push_back(text);
  }
  void ShowProgress(int maximum) override {
    progress_maximum = maximum;
    progress_visible = true;
  }
  void SetProgress(int position) override { progress_position = position; }
  void HideProgress() override { progress_visible = false; }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    return answer_yes;
  }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void DocumentLoaded() override { ++loaded_count; }
};

}  // namespace designer
