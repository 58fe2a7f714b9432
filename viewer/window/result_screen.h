// The viewer's result screen ("Данные"): the handheld's picture with the clock, the list of the
// records found (one column per result field at its width) and, in the list's place, the card
// of one record: every field in detail order with its name and value.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "handheld/screen_parts.h"
#include "viewer/search/book.h"

class QTableView;
class QTableWidget;

namespace viewer {

class ResultModel;

class ResultScreen : public handheld::ScreenFrame {
 public:
  struct Handlers {
    std::function<void()> show_query;               // the tab "Поиск", or Esc on the list
    std::function<void()> exit;                     // the tab "Выход"
    std::function<void(std::uint32_t)> card_shown;  // the record (0-based) on the card
    std::function<void()> list_shown;               // back from a card
  };

  ResultScreen(QWidget* parent, Handlers handlers);

  // The columns of `book` (which must outlive the screen's use of it) and no rows.
  void ShowBook(const Book* book);
  // The records found (0-based, file order), on the list with the first one current.
  void ShowRecords(std::vector<std::uint32_t> records);
  // The list, as a card left it (the tab "Данные").
  void ShowList();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowCard(int row);

  Handlers handlers_;
  const Book* book_ = nullptr;
  ResultModel* model_;
  QTableView* list_;
  QTableWidget* card_;
};

}  // namespace viewer
