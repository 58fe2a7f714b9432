#include "viewer/window/viewer_window.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

#include "handheld/screen_layout.h"
#include "handheld/screen_parts.h"
#include "handheld/screen_pictures.h"
#include "viewer/search/search.h"
#include "viewer/window/query_screen.h"
#include "viewer/window/result_screen.h"
#include "window_common/cp1251_text.h"
#include "window_common/dropped_file.h"
#include "window_common/window_font.h"

namespace viewer {

namespace {

constexpr int kMargin = 8;            // around the screen
constexpr int kClockInterval = 1000;  // milliseconds

}  // namespace

ViewerWindow::ViewerWindow(ViewerDialogs* dialogs, QSettings& settings)
    : own_dialogs_(dialogs ? nullptr : std::make_unique<QtViewerDialogs>(this)),
      dialogs_(dialogs ? dialogs : own_dialogs_.get()),
      recent_(settings) {
  setObjectName(QStringLiteral("viewerWindow"));
  setFont(window_common::WindowFont());
  const auto open = [this](const QString& path) { OpenBook(path); };
  window_common::OpenDroppedFiles(this, open);
  handheld::RegisterScreenPictures();
  CreateFileMenu();
  CreateOtherMenus();

  screens_ = new QWidget(this);
  screens_->setObjectName(QStringLiteral("screens"));
  // Unhinted text has the same width at twice the size, so no label is cut when enlarged.
  QFont unhinted = font();
  unhinted.setHintingPreference(QFont::PreferNoHinting);
  screens_->setFont(unhinted);
  screens_->setFixedSize(handheld::kFrameWidth + 2 * kMargin, handheld::kFrameHeight + 2 * kMargin);
  query_screen_ = new QueryScreen(screens_, {.find = [this] { Find(); },
                                             .show_data = [this] { ShowResultScreen(); },
                                             .exit = [this] { close(); },
                                             .open_book = open});
  result_screen_ = new ResultScreen(
      screens_, {.show_query = [this] { ShowQueryScreen(); },
                 .exit = [this] { close(); },
                 .card_shown =
                     [this](int row, int count) {
                       status_->setText(QStringLiteral("Запись %1 из %2").arg(row + 1).arg(count));
                     },
                 .list_shown = [this] { status_->setText(count_text_); }});
  query_screen_->move(kMargin, kMargin);
  result_screen_->move(kMargin, kMargin);

  status_ = new QLabel(QStringLiteral("Откройте справочник: Файл — Открыть"));
  status_->setObjectName(QStringLiteral("status"));
  statusBar()->addWidget(status_, 1);
  statusBar()->setSizeGripEnabled(false);
  // On the screens, not the window: enlarged, they are a scene's, no longer the window's children.
  window_common::ShowStatusTips(screens_, statusBar());

  auto* clock_timer = new QTimer(this);
  connect(clock_timer, &QTimer::timeout, this, [this] { ShowTime(); });
  clock_timer->start(kClockInterval);
  ShowTime();
  ShowQueryScreen();
  Zoom(1);  // the screens become the window's central widget
}

ViewerWindow::~ViewerWindow() = default;

bool ViewerWindow::OpenBook(const QString& path) {
  last_path_ = path;
  StatusOr<Book> loaded = LoadBook(QFile::encodeName(path).toStdString());
  if (!loaded.ok()) {
    recent_.Remove(path);
    ShowRecentBooks();
    dialogs_->ShowFailure(
        QStringLiteral("Не удалось открыть справочник «%1»:\n%2")
            .arg(QFileInfo(path).fileName(), QString::fromStdString(loaded.status().message())));
    return false;
  }
  setWindowFilePath(path);
  ShowBook(std::move(loaded).value());
  book_path_ = path;
  recent_.Add(path);
  ShowRecentBooks();
  return true;
}

void ViewerWindow::ShowBook(Book book) {
  book_ = std::move(book);
  book_open_ = true;
  book_path_.clear();
  query_screen_->ShowBook(book_.layout());
  result_screen_->ShowBook(&book_);
  result_screen_->ShowRecords(FindRecords(book_, RecordMatcher::AllBoxes(book_.layout(), {})));
  ShowCount(QStringLiteral("Записей: %1").arg(book_.record_count()));
  ShowQueryScreen();
}

void ViewerWindow::Find() {
  if (!book_open_) return;
  std::vector<std::uint32_t> found = FindRecords(book_, query_screen_->Query(book_.layout()));
  const std::size_t count = found.size();
  result_screen_->ShowRecords(std::move(found));
  ShowCount(QStringLiteral("Найдено: %1").arg(count));
  ShowResultScreen();
}

void ViewerWindow::ShowCount(const QString& text) {
  count_text_ = text;
  status_->setText(text);
}

void ViewerWindow::ShowQueryScreen() {
  result_screen_->hide();
  query_screen_->show();
  query_screen_->FocusFirstBox();
}

void ViewerWindow::ShowResultScreen() {
  query_screen_->hide();
  result_screen_->show();
  result_screen_->ShowList();
}

void ViewerWindow::ShowTime() {
  const QString text = handheld::ClockText(QTime::currentTime());
  query_screen_->SetClockText(text);
  result_screen_->SetClockText(text);
}

}  // namespace viewer
