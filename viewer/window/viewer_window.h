// The viewer's one window: a reference book searched on the desktop as on the handheld.
//
// The window holds the open book (Book, viewer/search) and shows one of the handheld's two
// screens at a time, at its real size or twice that (Вид → Масштаб): the query screen
// (QueryScreen) or the result screen (ResultScreen), switched by their tabs as on the handheld.
// "Найти" asks the query screen for its query, searches the book and shows what it found on the
// result screen, with the count in the status bar. A book comes from the command line, the open
// command, the recent books (RecentBooks), F5 (the same file again) or a dropped file; one that
// cannot be read is reported and the book shown stays. What was found leaves the window by the
// clipboard (Ctrl+C, tab-separated) or as a CSV file (Файл → Сохранить результаты…), both made
// by viewer/search/found_table.h.
#pragma once

#include <QMainWindow>
#include <memory>

#include "viewer/search/book.h"
#include "viewer/window/recent_books.h"
#include "viewer/window/viewer_dialogs.h"

class QGraphicsView;
class QLabel;
class QSettings;

namespace viewer {

class QueryScreen;
class ResultScreen;

class ViewerWindow : public QMainWindow {
  Q_OBJECT
 public:
  // `dialogs` answers every dialog and message box (nullptr: the real ones); `settings` keeps the
  // recent books and must outlive the window.
  ViewerWindow(ViewerDialogs* dialogs, QSettings& settings);
  ~ViewerWindow() override;

  // Opens the book at `path`; false (after telling the user why) when it cannot be read.
  bool OpenBook(const QString& path);
  // Shows `book` on the query screen, all its records on the list.
  void ShowBook(Book book);

 private:
  void CreateFileMenu();
  void CreateOtherMenus();
  void ShowRecentBooks();
  void OpenCommand();
  void ReloadCommand();
  void SaveResultsCommand();
  void CopyCommand();
  void AboutCommand();
  // The screens at `factor` times their size (1 or 2).
  void Zoom(int factor);
  void Find();
  // The status bar's count: the book's records, or what the last search found.
  void ShowCount(const QString& text);
  void ShowQueryScreen();
  void ShowResultScreen();
  void ShowTime();

  std::unique_ptr<ViewerDialogs> own_dialogs_;
  ViewerDialogs* dialogs_;
  RecentBooks recent_;
  Book book_;
  bool book_open_ = false;
  QString book_path_;  // the file of the book shown; empty when it came from elsewhere
  QString last_path_;
  QWidget* screens_;                 // both screens, at their real size
  QGraphicsView* zoomed_ = nullptr;  // shows `screens_` enlarged, when it does
  QueryScreen* query_screen_;
  ResultScreen* result_screen_;
  QMenu* recent_menu_ = nullptr;
  QLabel* status_;
  QString count_text_;
};

}  // namespace viewer
