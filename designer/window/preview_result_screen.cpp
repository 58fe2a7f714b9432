#include "designer/window/preview_result_screen.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <algorithm>
#include <utility>

#include "designer/window/number_box.h"
#include "designer/window/preview_mouse_area.h"
#include "designer/window/preview_pictures.h"

namespace designer {

namespace {

constexpr int kRowHeight = 18;
constexpr int kColumnsAtStart = 5;
constexpr int kColumnWidthAtStart = 64;

// The handheld's list draws lines between the columns only; rows are not ruled.
class ColumnLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(QColor(0xc0, 0xc0, 0xc0));
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->restore();
  }
};

}  // namespace

PreviewResultScreen::PreviewResultScreen(QWidget* lower_page, Handlers handlers)
    : QFrame(lower_page), handlers_(std::move(handlers)) {
  setObjectName(QStringLiteral("resultScreen"));
  setFrameShape(QFrame::Box);
  setGeometry(510, 18, 242, 322);

  AddScreenPicture(this, "resultPicture", kResultScreenPicture);

  grid_ = new QTableWidget(kVisibleSampleRows, kColumnsAtStart, this);
  grid_->setObjectName(QStringLiteral("resultList"));
  grid_->setGeometry(1, 28, 240, 219);
  grid_->setFrameShape(QFrame::NoFrame);
  grid_->setShowGrid(false);
  grid_->setItemDelegate(new ColumnLineDelegate(grid_));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->setFocusPolicy(Qt::NoFocus);
  grid_->setWordWrap(false);
  grid_->setTextElideMode(Qt::ElideNone);  // the handheld cuts a long value at the column edge
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
  QHeaderView* heading = grid_->horizontalHeader();
  heading->setFixedHeight(kRowHeight);
  heading->setMinimumSectionSize(0);
  heading->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  heading->setHighlightSections(false);
  heading->setSectionsMovable(true);
  heading->setSectionResizeMode(QHeaderView::Interactive);
  heading->setStretchLastSection(false);
  for (int c = 0; c < kColumnsAtStart; ++c) {
    grid_->setHorizontalHeaderItem(c, new QTableWidgetItem());
    heading->resizeSection(c, kColumnWidthAtStart);
  }
  connect(heading, &QHeaderView::sectionMoved, this,
          [this](int, int from, int to) { SectionMoved(from, to); });
  heading->viewport()->installEventFilter(this);
  grid_->viewport()->installEventFilter(this);

  (new PreviewMouseArea(this, QRect(-6, 274, 247, 22), Qt::ForbiddenCursor, [this] {
    handlers_.find_pressed();
  }))->setObjectName(QStringLiteral("resultTabBar"));
}

void PreviewResultScreen::ShowColumns(const std::vector<Column>& columns) {
  const int count = static_cast<int>(columns.size());
  // A grid keeps at least one column, hidden when there is nothing to show.
  grid_->setColumnCount(std::max(count, 1));
  grid_->clearContents();
  if (count == 0) {
    grid_->hide();
    return;
  }
  QHeaderView* heading = grid_->horizontalHeader();
  for (int c = 0; c < count; ++c) {
    grid_->setHorizontalHeaderItem(c, new QTableWidgetItem(columns[c].heading));
    heading->resizeSection(c, ShownWidth(columns[c].width));
    const int rows = std::min<int>(columns[c].samples.size(), kVisibleSampleRows);
    for (int r = 0; r < rows; ++r) {
      grid_->setItem(r, c, new QTableWidgetItem(columns[c].samples[r]));
    }
  }
  grid_->show();
  grid_->viewport()->update();
}

int PreviewResultScreen::ColumnCount() const { return grid_->columnCount(); }

int PreviewResultScreen::ColumnWidth(int column) const {
  QHeaderView* heading = grid_->horizontalHeader();
  return heading->sectionSize(heading->logicalIndex(column));
}

void PreviewResultScreen::SectionMoved(int from, int to) {
  // The header only reordered its view; put it back in order before the list is rebuilt from
  // the model, so that a column's place on screen is always its place in the model.
  {
    QHeaderView* heading = grid_->horizontalHeader();
    const QSignalBlocker quiet(heading);
    for (int c = 0; c < heading->count(); ++c) {
      const int shown_at = heading->visualIndex(c);
      if (shown_at != c) heading->moveSection(shown_at, c);
    }
  }
  handlers_.column_moved(from, to);
}

bool PreviewResultScreen::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      (watched == grid_->viewport() || watched == grid_->horizontalHeader()->viewport())) {
    handlers_.mouse_released();
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace designer
