#include "viewer/window/result_screen.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QTableWidget>
#include <algorithm>
#include <utility>

#include "handheld/mouse_area.h"
#include "handheld/screen_layout.h"
#include "handheld/screen_parts.h"
#include "viewer/search/found_table.h"
#include "viewer/search/search.h"
#include "viewer/window/result_model.h"
#include "window_common/cp1251_text.h"

namespace viewer {

namespace {

// A phone book has no widths of its own: its four columns share the screen.
constexpr int kPhoneBookColumnWidth = handheld::kResultList.width() / 4;
constexpr int kCardNameWidth = 80;

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

ResultScreen::ResultScreen(QWidget* parent, Handlers handlers)
    : ScreenFrame(parent, Screen::kResult, true), handlers_(std::move(handlers)) {
  model_ = new ResultModel(this);
  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("resultList"));
  list_->setModel(model_);
  handheld::StyleResultList(list_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->installEventFilter(this);
  connect(list_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { ShowCard(index.row()); });

  card_ = new QTableWidget(0, 2, this);
  card_->setObjectName(QStringLiteral("recordCard"));
  handheld::StyleResultList(card_);
  card_->setHorizontalHeaderLabels({QStringLiteral("Поле"), QStringLiteral("Значение")});
  card_->horizontalHeader()->resizeSection(0, kCardNameWidth);
  card_->horizontalHeader()->setStretchLastSection(true);
  // A long value is shown whole, over as many lines as it needs.
  card_->setWordWrap(true);
  card_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  card_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  card_->setSelectionMode(QAbstractItemView::NoSelection);
  card_->installEventFilter(this);
  card_->hide();

  nothing_found_ = new QLabel(QStringLiteral("Ничего не найдено"), this);
  nothing_found_->setObjectName(QStringLiteral("nothingFound"));
  nothing_found_->setAlignment(Qt::AlignCenter);
  nothing_found_->setGeometry(handheld::kResultList.adjusted(0, handheld::kListRowHeight, 0, 0));
  nothing_found_->setAttribute(Qt::WA_TransparentForMouseEvents);
  nothing_found_->hide();

  (new handheld::MouseArea(this, handheld::kSearchTab, Qt::PointingHandCursor, [this] {
    handlers_.show_query();
  }))->setObjectName(QStringLiteral("searchTab"));
  (new handheld::MouseArea(this, handheld::kDataTab, Qt::PointingHandCursor, [this] {
    ShowList();
  }))->setObjectName(QStringLiteral("dataTab"));
  (new handheld::MouseArea(this, handheld::kExitTab, Qt::PointingHandCursor, [this] {
    handlers_.exit();
  }))->setObjectName(QStringLiteral("exitTab"));
}

void ResultScreen::ShowBook(const Book* book) {
  book_ = book;
  const BookLayout& layout = book->layout();
  const bool phone_book = layout.kind == BookKind::kPhoneBook;
  const std::vector<std::size_t> columns = ResultFields(layout);
  model_->SetBook(book, columns);
  for (std::size_t c = 0; c < columns.size(); ++c) {
    list_->horizontalHeader()->resizeSection(
        static_cast<int>(c),
        phone_book ? kPhoneBookColumnWidth : layout.fields[columns[c]].result_width);
  }
  ShowList();
}

void ResultScreen::ShowRecords(std::vector<std::uint32_t> records) {
  model_->SetRecords(std::move(records));
  if (model_->rowCount() > 0) list_->selectRow(0);
  ShowList();
}

const std::vector<std::uint32_t>& ResultScreen::Records() const { return model_->Records(); }

std::string ResultScreen::CopiedText() const {
  if (book_ == nullptr) return {};
  if (!card_->isHidden()) {
    const std::uint32_t record = model_->RecordAt(card_row_);
    return TabSeparated({*book_, DetailFields(book_->layout()), {&record, 1}});
  }
  std::vector<std::uint32_t> selected;
  for (const QModelIndex& row : list_->selectionModel()->selectedRows()) {
    selected.push_back(model_->RecordAt(row.row()));
  }
  std::sort(selected.begin(), selected.end());  // in the list's order, whatever the clicks'
  return TabSeparated({*book_, ResultFields(book_->layout()), selected});
}

void ResultScreen::ShowList() {
  const bool from_card = !card_->isHidden();
  card_->hide();
  list_->show();
  list_->setFocus();
  nothing_found_->setVisible(book_ != nullptr && model_->rowCount() == 0);
  if (from_card) handlers_.list_shown();
}

void ResultScreen::ShowCard(int row) {
  if (book_ == nullptr || row < 0 || row >= model_->rowCount()) return;
  card_row_ = row;
  const std::uint32_t record = model_->RecordAt(row);
  const std::vector<std::size_t> fields = DetailFields(book_->layout());
  card_->setRowCount(static_cast<int>(fields.size()));
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const int r = static_cast<int>(i);
    card_->setItem(
        r, 0,
        new QTableWidgetItem(window_common::FromCp1251(book_->layout().fields[fields[i]].name)));
    card_->setItem(
        r, 1, new QTableWidgetItem(window_common::FromCp1251(book_->Value(record, fields[i]))));
  }
  card_->setCurrentIndex({});                     // no cell stands out
  list_->setCurrentIndex(model_->index(row, 0));  // back on the list, this row is current
  list_->hide();
  nothing_found_->hide();
  card_->show();
  card_->setFocus();
  handlers_.card_shown(row, model_->rowCount());
}

bool ResultScreen::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return ScreenFrame::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (watched == list_ && IsEnter(key)) {
    ShowCard(list_->currentIndex().row());
    return true;
  }
  if (watched == list_ && key == Qt::Key_Escape) {
    handlers_.show_query();
    return true;
  }
  if (watched == card_ && (IsEnter(key) || key == Qt::Key_Escape || key == Qt::Key_Backspace)) {
    ShowList();
    return true;
  }
  if (watched == card_ && (key == Qt::Key_PageUp || key == Qt::Key_PageDown)) {
    ShowCard(card_row_ + (key == Qt::Key_PageUp ? -1 : 1));  // nothing beyond either end
    return true;
  }
  return ScreenFrame::eventFilter(watched, event);
}

}  // namespace viewer
