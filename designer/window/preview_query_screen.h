// The handheld's input (query) screen: the picture, the clock, the database name box, five input
// rows (a label and an input box each) and the invisible areas over the picture's buttons
// and tab bar. It only shows what it is told; the rules live in HandheldPreview.
#pragma once

#include <QList>
#include <array>
#include <functional>

#include "handheld/screen_layout.h"
#include "handheld/screen_parts.h"

class QLabel;
class QLineEdit;

namespace designer {

class PreviewInputBox;

using handheld::kInputRows;

class PreviewQueryScreen : public handheld::ScreenFrame {
 public:
  struct Handlers {
    std::function<void(int row, int width)> width_dragged;  // right edge of a row's box
    std::function<void()> find_pressed;                     // "Найти" or the tab bar
    std::function<void(const QString&)> name_typed;         // a key released in the name box
  };

  PreviewQueryScreen(QWidget* lower_page, Handlers handlers);

  // Row `row` (1..5) shows a field: its label's text and its box's width.
  void ShowRow(int row, const QString& label, int width);
  void HideRow(int row);
  // What "Очистить" does: every input box emptied.
  void ClearInputs();
  void SetDatabaseName(const QString& name);
  // The name box, then the input boxes top to bottom.
  QList<QWidget*> TabOrder() const;

 private:
  Handlers handlers_;
  bool box_resizing_ = false;  // one drag flag for all five boxes
  QLineEdit* name_;
  std::array<QLabel*, kInputRows + 1> labels_{};
  std::array<PreviewInputBox*, kInputRows + 1> boxes_{};
};

}  // namespace designer
