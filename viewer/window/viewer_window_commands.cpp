// The viewer's menus and what their items do.
#include <QActionGroup>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsProxyWidget>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <numeric>

#include "common/maker.h"
#include "viewer/search/found_table.h"
#include "viewer/window/query_screen.h"
#include "viewer/window/result_screen.h"
#include "viewer/window/viewer_window.h"

namespace viewer {

namespace {

constexpr int kNoteShownFor = 5000;  // milliseconds

QAction* AddItem(QMenu* menu, const char* text, const char* name, QKeySequence keys = {}) {
  QAction* item = menu->addAction(QString::fromUtf8(text));
  item->setObjectName(QString::fromLatin1(name));
  item->setShortcut(keys);
  return item;
}

}  // namespace

void ViewerWindow::CreateFileMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("&Файл"));
  connect(AddItem(menu, "&Открыть…", "openItem", QKeySequence::Open), &QAction::triggered, this,
          &ViewerWindow::OpenCommand);
  recent_menu_ = menu->addMenu(QStringLiteral("&Недавние"));
  recent_menu_->setObjectName(QStringLiteral("recentMenu"));
  connect(AddItem(menu, "О&бновить", "reloadItem", Qt::Key_F5), &QAction::triggered, this,
          &ViewerWindow::ReloadCommand);
  connect(AddItem(menu, "&Сохранить результаты…", "saveResultsItem", QKeySequence::Save),
          &QAction::triggered, this, &ViewerWindow::SaveResultsCommand);
  menu->addSeparator();
  connect(AddItem(menu, "В&ыход", "exitItem"), &QAction::triggered, this, &ViewerWindow::close);
  ShowRecentBooks();
}

void ViewerWindow::CreateOtherMenus() {
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Правка"));
  connect(AddItem(edit, "&Копировать", "copyItem", QKeySequence::Copy), &QAction::triggered, this,
          &ViewerWindow::CopyCommand);
  QMenu* zoom = menuBar()->addMenu(QStringLiteral("&Вид"))->addMenu(QStringLiteral("&Масштаб"));
  auto* factors = new QActionGroup(this);
  for (const int factor : {1, 2}) {
    QAction* item = zoom->addAction(QStringLiteral("×%1").arg(factor));
    item->setObjectName(QStringLiteral("zoom%1Item").arg(factor));
    item->setShortcut(QKeySequence(Qt::CTRL | (Qt::Key_0 + factor)));
    item->setCheckable(true);
    item->setChecked(factor == 1);
    factors->addAction(item);
    connect(item, &QAction::triggered, this, [this, factor] { Zoom(factor); });
  }
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Справка"));
  connect(AddItem(help, "&О программе", "aboutItem"), &QAction::triggered, this,
          &ViewerWindow::AboutCommand);
}

void ViewerWindow::ShowRecentBooks() {
  // An item may be the one whose book is being opened: it goes once its signal has run.
  for (QAction* item : recent_menu_->actions()) {
    recent_menu_->removeAction(item);
    item->deleteLater();
  }
  const QStringList paths = recent_.Paths();
  for (int i = 0; i < paths.size(); ++i) {
    const QString path = paths[i];
    QString shown = path;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));  // a letter of the path is no shortcut
    QAction* item = recent_menu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
    item->setObjectName(QStringLiteral("recentBook%1").arg(i + 1));
    connect(item, &QAction::triggered, this, [this, path] { OpenBook(path); });
  }
  recent_menu_->setEnabled(!paths.isEmpty());
}

void ViewerWindow::OpenCommand() {
  if (const std::optional<QString> path = dialogs_->ChooseBook(last_path_)) OpenBook(*path);
}

void ViewerWindow::ReloadCommand() {
  const QString path = book_path_;  // opening changes it
  if (!path.isEmpty()) OpenBook(path);
}

void ViewerWindow::SaveResultsCommand() {
  if (!book_open_) return;
  const QFileInfo book_file(book_path_.isEmpty() ? last_path_ : book_path_);
  const std::optional<QString> chosen = dialogs_->ChooseResultsFile(
      book_file.dir().filePath(book_file.completeBaseName() + QStringLiteral(".csv")));
  if (!chosen) return;
  const QString& path = *chosen;
  std::vector<std::size_t> fields(book_.layout().fields.size());
  std::iota(fields.begin(), fields.end(), 0);
  const std::vector<std::uint32_t>& found = result_screen_->Records();
  const Status written =
      WriteCommaSeparated(QFile::encodeName(path).toStdString(), {book_, fields, found});
  if (!written.ok()) {
    dialogs_->ShowFailure(
        QStringLiteral("Не удалось сохранить результаты в «%1»:\n%2")
            .arg(QFileInfo(path).fileName(), QString::fromStdString(written.message())));
    return;
  }
  statusBar()->showMessage(QStringLiteral("Записей сохранено: %1 — %2")
                               .arg(found.size())
                               .arg(QFileInfo(path).fileName()),
                           kNoteShownFor);
}

void ViewerWindow::CopyCommand() {
  if (result_screen_->isHidden()) return;
  QGuiApplication::clipboard()->setText(QString::fromStdString(result_screen_->CopiedText()));
}

void ViewerWindow::AboutCommand() {
  dialogs_->ShowMessage(QStringLiteral("BWick DB Viewer\nПоиск в справочнике КПК на компьютере: "
                                       "те же экраны и те же правила поиска.\n\n") +
                        QString::fromUtf8(kMakerWebAddress));
}

void ViewerWindow::Zoom(int factor) {
  if (zoomed_ != nullptr) {  // back from the scene first
    screens_->graphicsProxyWidget()->setWidget(nullptr);
    delete takeCentralWidget();
    zoomed_ = nullptr;
  }
  screens_->setParent(nullptr);
  if (factor == 1) {
    setCentralWidget(screens_);
  } else {
    zoomed_ = new QGraphicsView;
    zoomed_->setObjectName(QStringLiteral("zoomedScreens"));
    zoomed_->setFrameShape(QFrame::NoFrame);
    zoomed_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    zoomed_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    zoomed_->setScene(new QGraphicsScene(zoomed_));
    zoomed_->scene()->addWidget(screens_);
    zoomed_->scale(factor, factor);
    zoomed_->setFixedSize(screens_->size() * factor);
    setCentralWidget(zoomed_);
  }
  screens_->show();
  centralWidget()->show();  // taken in while the window shows
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  layout()->activate();  // the new central widget's size, now rather than when the events run
  setFixedSize(sizeHint());
  centralWidget()->setFocus();  // enlarged, the keys go through the view to the scene
  if (!query_screen_->isHidden()) query_screen_->FocusFirstBox();
}

}  // namespace viewer
