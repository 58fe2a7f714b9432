// The viewer's query screen: the handheld's picture with the clock, the book's name, one row
// (label and box) per query box of the book, and the picture's buttons and tabs made to work.
// The screen has room for five rows; the rows of a book with more query boxes scroll, so every
// query field can be searched. A book file dropped on a box is opened, not typed in.
#pragma once

#include <functional>
#include <vector>

#include "handheld/screen_parts.h"
#include "viewer/search/book.h"
#include "viewer/search/search.h"

class QLineEdit;
class QScrollArea;

namespace viewer {

class QueryScreen : public handheld::ScreenFrame {
 public:
  struct Handlers {
    std::function<void()> find;                          // "Найти", or Enter in a box
    std::function<void()> show_data;                     // the tab "Данные"
    std::function<void()> exit;                          // the tab "Выход"
    std::function<void(const QString& path)> open_book;  // a file dropped on a box
  };

  QueryScreen(QWidget* parent, Handlers handlers);

  // The rows of `layout`: its query boxes in their order, or a phone book's one box; every box
  // empty.
  void ShowBook(const BookLayout& layout);
  // What the boxes ask of the book shown.
  RecordMatcher Query(const BookLayout& layout) const;
  // What "Очистить" does: every box emptied.
  void ClearBoxes();
  // The first box, or the screen itself when the book has no box, so that keys reach it.
  void FocusFirstBox();

 protected:
  // Without a box, Enter finds.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void AddRow(int row, const QString& label, int width, std::uint8_t flags);

  Handlers handlers_;
  QLineEdit* name_;
  QScrollArea* rows_area_;
  QWidget* rows_;                        // the rows, in the scrolled area
  std::vector<QWidget*> row_widgets_;    // labels and boxes of the rows shown
  std::vector<QLineEdit*> boxes_;        // top to bottom
  std::vector<std::size_t> box_fields_;  // the field each box searches
};

}  // namespace viewer
