#include "designer/window/preview_result_screen.h"

#include <QEvent>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>
#include <algorithm>
#include <utility>

#include "designer/window/main_window_layout.h"
#include "designer/window/number_box.h"
#include "handheld/mouse_area.h"
#include "handheld/screen_layout.h"
#include "handheld/screen_parts.h"

namespace designer {

namespace {

constexpr int kColumnsAtStart = 5;
constexpr int kColumnWidthAtStart = 64;

}  // namespace

PreviewResultScreen::PreviewResultScreen(QWidget* lower_page, Handlers handlers)
    : ScreenFrame(lower_page, Screen::kResult, false), handlers_(std::move(handlers)) {
  move(kResultScreenPlace);

  grid_ = new QTableWidget(kVisibleSampleRows, kColumnsAtStart, this);
  grid_->setObjectName(QStringLiteral("resultList"));
  handheld::StyleResultList(grid_);
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->setFocusPolicy(Qt::NoFocus);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QHeaderView* heading = grid_->horizontalHeader();
  heading->setSectionsMovable(true);
  for (int c = 0; c < kColumnsAtStart; ++c) {
    grid_->setHorizontalHeaderItem(c, new QTableWidgetItem());
    heading->resizeSection(c, kColumnWidthAtStart);
  }
  connect(heading, &QHeaderView::sectionMoved, this,
          [this](int, int from, int to) { SectionMoved(from, to); });
  heading->viewport()->installEventFilter(this);
  grid_->viewport()->installEventFilter(this);

  (new handheld::MouseArea(this, handheld::kTabBar, Qt::ForbiddenCursor, [this] {
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
  return ScreenFrame::eventFilter(watched, event);
}

}  // namespace designer
