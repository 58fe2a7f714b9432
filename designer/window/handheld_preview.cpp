#include "designer/window/handheld_preview.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <string>
#include <utility>

#include "designer/window/key_release.h"
#include "designer/window/number_box.h"
#include "designer/window/preview_query_screen.h"
#include "designer/window/preview_result_screen.h"
#include "handheld/screen_parts.h"
#include "handheld/screen_pictures.h"
#include "window_common/cp1251_text.h"

namespace designer {

namespace {

constexpr int kClockInterval = 1000;  // milliseconds

// Leaving a box for a message box or another program is no leaving of the box.
bool LeavesTheBox(const QFocusEvent* event) {
  return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

}  // namespace

HandheldPreview::HandheldPreview(QWidget* lower_page, Document& doc, PreviewHost& host)
    : QObject(lower_page), doc_(doc), host_(host), now_(&QTime::currentTime) {
  handheld::RegisterScreenPictures();
  query_screen_ = new PreviewQueryScreen(
      lower_page,
      {.width_dragged = [this](int row, int width) { InputBoxDragged(row, width); },
       .find_pressed = [this] { ShowFindNotReady(); },
       .name_typed = [this](const QString& name) { host_.PreviewDatabaseNameEdited(name); }});
  result_screen_ = new PreviewResultScreen(
      lower_page, {.column_moved = [this](int from, int to) { ResultColumnMoved(from, to); },
                   .mouse_released = [this] { TakeResultColumnWidths(); },
                   .find_pressed = [this] { ShowFindNotReady(); }});
  side_ = MakePreviewSideControls(lower_page);
  side_.query_width->installEventFilter(this);
  side_.result_width->installEventFilter(this);
  OnKeyTypedIn(side_.query_width, [this] { TakeWidthFromBox(WidthBox::kQuery); });
  OnKeyTypedIn(side_.result_width, [this] { TakeWidthFromBox(WidthBox::kResult); });
  side_.input_order->installEventFilter(this);
  connect(side_.order_up, &QToolButton::clicked, this, [this] { MoveOrderEntry(UpDown::kUp); });
  connect(side_.order_down, &QToolButton::clicked, this, [this] { MoveOrderEntry(UpDown::kDown); });

  timer_ = new QTimer(this);
  timer_->setInterval(kClockInterval);
  connect(timer_, &QTimer::timeout, this, [this] { ShowTime(); });
  timer_->start();
}

HandheldPreview::~HandheldPreview() = default;

bool HandheldPreview::IsDocumentField(int field) const {
  return field >= 1 && field <= std::min(doc_.FieldCount, kMaxDocumentFields);
}

int HandheldPreview::ResultFieldAt(int position) const {
  // Only the fields the preview has room for, so that a sample is never looked for beyond them.
  const int k = doc_.FieldAtResultPosition(position);
  return IsDocumentField(k) ? k : 0;
}

void HandheldPreview::DrawInputFields() {
  const int count = std::clamp(doc_.FieldCount, 0, kMaxDocumentFields);
  row_field_.fill(0);
  // Every field with position p gets the next row, positions in order, fields in field order.
  int row = 1;
  for (int p = 1; p <= count; ++p) {
    for (int k = 1; k <= count; ++k) {
      if (doc_.Fields[k].QueryIndex != p || row > kInputRows) continue;
      query_screen_->ShowRow(row, window_common::FromCp1251(doc_.Fields[k].Name),
                             doc_.Fields[k].EditWidth);
      row_field_[row] = k;
      ++row;
    }
  }
  // The rest hold no field; hiding them all keeps no stale row even if positions had gaps.
  for (; row <= kInputRows; ++row) query_screen_->HideRow(row);

  // The input order list: ticked input fields in input order, up to the first position that no
  // ticked field holds.
  side_.input_order->clear();
  for (int position = 1; position <= count; ++position) {
    int found = 0;
    for (int k = 1; k <= count && found == 0; ++k) {
      if (doc_.Fields[k].QueryIndex == position && doc_.QueryBoxTicked[k]) found = k;
    }
    if (found == 0) break;
    auto* entry = new QListWidgetItem(window_common::FromCp1251(doc_.Fields[found].Name) +
                                      QStringLiteral(": ") + QString::number(found));
    entry->setSizeHint(QSize(0, kOrderListItemHeight));
    side_.input_order->addItem(entry);
  }
  side_.input_order->setCurrentRow(-1);

  DrawResultGrid();
}

void HandheldPreview::DrawResultGrid() {
  const int count = std::clamp(doc_.FieldCount, 0, kMaxDocumentFields);
  std::vector<PreviewResultScreen::Column> columns;
  for (int c = 1; c <= count; ++c) {
    const int k = ResultFieldAt(c);
    if (k == 0) break;  // positions run 1..n without gaps
    PreviewResultScreen::Column column{
        window_common::FromCp1251(doc_.Fields[k].Name), doc_.Fields[k].ResultWidth, {}};
    for (int r = 1; r <= kVisibleSampleRows; ++r) {
      column.samples << window_common::FromCp1251(doc_.SampleValues[r][k]);
    }
    columns.push_back(std::move(column));
  }
  result_screen_->ShowColumns(columns);
}

void HandheldPreview::ShowFieldWidths(int field) {
  const bool known = IsDocumentField(field);
  side_.query_width->setText(QString::number(known ? doc_.Fields[field].EditWidth : 0));
  side_.result_width->setText(QString::number(known ? doc_.Fields[field].ResultWidth : 0));
}

void HandheldPreview::SetDatabaseName(const QString& name) { query_screen_->SetDatabaseName(name); }

QList<QWidget*> HandheldPreview::TabOrder() const {
  return QList<QWidget*>{side_.query_width, side_.result_width, side_.input_order} +
         query_screen_->TabOrder();
}

void HandheldPreview::SetClock(std::function<QTime()> now) { now_ = std::move(now); }

void HandheldPreview::MoveOrderEntry(UpDown direction) {
  QListWidget* list = side_.input_order;
  const int s =
      list->currentItem() != nullptr && list->currentItem()->isSelected() ? list->currentRow() : -1;
  if (s < 0) return;
  int now_at = 0;
  if (direction == UpDown::kUp && s > 0) {
    doc_.ExchangeQueryPositions(s, s + 1);
    now_at = s - 1;
  } else if (direction == UpDown::kDown && s < list->count() - 1) {
    doc_.ExchangeQueryPositions(s + 1, s + 2);
    now_at = s + 1;
  } else {
    return;
  }
  DrawInputFields();
  list->setCurrentRow(now_at);
  list->setFocus();
}

void HandheldPreview::InputBoxDragged(int row, int width) {
  const int field = row_field_[row];
  if (field == 0) return;
  doc_.Fields[field].EditWidth = width;
  if (field == host_.SelectedField()) side_.query_width->setText(QString::number(width));
}

void HandheldPreview::ResultColumnMoved(int from, int to) {
  doc_.ExchangeResultPositions(from + 1, to + 1);
  DrawResultGrid();
}

void HandheldPreview::TakeResultColumnWidths() {
  const int selected = host_.SelectedField();
  for (int c = 1; c <= result_screen_->ColumnCount(); ++c) {
    const int k = ResultFieldAt(c);
    if (k == 0) continue;
    const int width = result_screen_->ColumnWidth(c - 1);
    doc_.Fields[k].ResultWidth = width;
    if (k == selected) side_.result_width->setText(QString::number(width));
  }
}

void HandheldPreview::TakeWidthFromBox(WidthBox which) {
  const int field = host_.SelectedField();
  if (!IsDocumentField(field)) return;
  const bool query = which == WidthBox::kQuery;
  QLineEdit* box = query ? side_.query_width : side_.result_width;
  std::int32_t& stored = query ? doc_.Fields[field].EditWidth : doc_.Fields[field].ResultWidth;
  const StatusOr<std::int32_t> width =
      ReadNumberBox(box->text(), query ? "Ширина запроса" : "Ширина результата", 0, kMaxWidth);
  if (!width.ok()) {
    // The field keeps its width and the user sees why. A number out of range goes back to the
    // stored one, so that leaving the box does not say it again; an emptied box stays empty
    // for the next number to be typed.
    host_.ShowPreviewMessage(
        {PreviewMessage::Kind::kFailure, {}, QString::fromStdString(width.status().message())});
    if (IsInteger(box->text())) box->setText(QString::number(stored));
    return;
  }
  stored = width.value();
  DrawInputFields();
}

void HandheldPreview::ShowFindNotReady() {
  host_.ShowPreviewMessage({PreviewMessage::Kind::kPlain, QStringLiteral("К размышлению"),
                            QStringLiteral("В разработке.\n\nПока работает только на КПК!")});
}

void HandheldPreview::ShowTime() { query_screen_->SetClockText(handheld::ClockText(now_())); }

bool HandheldPreview::eventFilter(QObject* watched, QEvent* event) {
  const bool width_box = watched == side_.query_width || watched == side_.result_width;
  const WidthBox which = watched == side_.query_width ? WidthBox::kQuery : WidthBox::kResult;
  if (width_box && event->type() == QEvent::FocusOut &&
      LeavesTheBox(static_cast<QFocusEvent*>(event))) {
    TakeWidthFromBox(which);
  } else if (watched == side_.input_order && event->type() == QEvent::KeyPress) {
    // The arrow keys move the selected entry, as the up-down buttons do.
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      MoveOrderEntry(key == Qt::Key_Up ? UpDown::kUp : UpDown::kDown);
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace designer
