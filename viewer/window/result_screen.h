// The viewer's result screen ("Данные"): the handheld's picture with the clock, the list of the
// records found (one column per result field at its width, "Ничего не найдено" over it when
// empty) and, in the list's place, the card of one record: every field in detail order with its
// name and value. PgUp and PgDn on the card go to the previous and next record found.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "handheld/screen_parts.h"
#include "viewer/search/book.h"

class QLabel;
class QTableView;
class QTableWidget;

namespace viewer {

class ResultModel;

class ResultScreen : public handheld::ScreenFrame {
 public:
  struct Handlers {
    std::function<void()> show_query;  // the tab "Поиск", or Esc on the list
    std::function<void()> exit;        // the tab "Выход"
    // The card shows the found record at `row` (0-based) of `count`.
    std::function<void(int row, int count)> card_shown;
    std::function<void()> list_shown;  // back from a card
  };

  ResultScreen(QWidget* parent, Handlers handlers);

  // The columns of `book` (which must outlive the screen's use of it) and no rows.
  void ShowBook(const Book* book);
  // The records found (0-based, file order), on the list with the first one current.
  void ShowRecords(std::vector<std::uint32_t> records);
  // The list, as a card left it (the tab "Данные").
  void ShowList();
  // The records found (0-based, file order).
  const std::vector<std::uint32_t>& Records() const;
  // What is shown, for the clipboard: the card's record, or the list's selected rows, as
  // tab-separated UTF-8 text with a heading row.
  std::string CopiedText() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowCard(int row);

  Handlers handlers_;
  const Book* book_ = nullptr;
  ResultModel* model_;
  QTableView* list_;
  QTableWidget* card_;
  QLabel* nothing_found_;
  int card_row_ = -1;  // the row of the list the card shows
};

}  // namespace viewer
