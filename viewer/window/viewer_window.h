// The viewer's one window: a reference book searched on the desktop as on the handheld.
//
// The window holds the open book (Book, viewer/search) and shows one of the handheld's two
// screens at a time, at its real size: the query screen (QueryScreen) or the result screen
// (ResultScreen), switched by their tabs as on the handheld. "Найти" asks the query screen for
// its query, searches the book and shows what it found on the result screen, with the count in
// the status bar. A book comes from the command line, the open command or a dropped file; one
// that cannot be read is reported and the book shown stays.
#pragma once

#include <QMainWindow>
#include <memory>

#include "viewer/search/book.h"
#include "viewer/window/viewer_dialogs.h"

class QLabel;

namespace viewer {

class QueryScreen;
class ResultScreen;

class ViewerWindow : public QMainWindow {
  Q_OBJECT
 public:
  // `dialogs` answers every dialog and message box (nullptr: the real ones).
  explicit ViewerWindow(ViewerDialogs* dialogs);
  ~ViewerWindow() override;

  // Opens the book at `path`; false (after telling the user why) when it cannot be read.
  bool OpenBook(const QString& path);
  // Shows `book` on the query screen, all its records on the list.
  void ShowBook(Book book);

 private:
  void CreateMenu();
  void OpenCommand();
  void AboutCommand();
  void Find();
  // The status bar's count: the book's records, or what the last search found.
  void ShowCount(const QString& text);
  void ShowQueryScreen();
  void ShowResultScreen();
  void ShowTime();

  std::unique_ptr<ViewerDialogs> own_dialogs_;
  ViewerDialogs* dialogs_;
  Book book_;
  bool book_open_ = false;
  QString last_path_;
  QueryScreen* query_screen_;
  ResultScreen* result_screen_;
  QLabel* status_;
  QString count_text_;
};

}  // namespace viewer
