#include "viewer/window/query_screen.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <algorithm>
#include <utility>

#include "handheld/mouse_area.h"
#include "handheld/screen_layout.h"
#include "handheld/screen_parts.h"
#include "viewer/window/query_box.h"
#include "window_common/cp1251_text.h"
#include "window_common/dropped_file.h"

namespace viewer {

namespace {

// A phone book's one box reaches as far right as the name box above it.
constexpr int kPhoneBookBoxWidth =
    handheld::kNameBox.left() + handheld::kNameBox.width() - handheld::kInputBoxLeft;

}  // namespace

QueryScreen::QueryScreen(QWidget* parent, Handlers handlers)
    : ScreenFrame(parent, Screen::kQuery, true), handlers_(std::move(handlers)) {
  name_ = new QLineEdit(this);
  name_->setObjectName(QStringLiteral("bookName"));
  name_->setGeometry(handheld::kNameBox);
  name_->setReadOnly(true);
  name_->setFocusPolicy(Qt::NoFocus);

  // The picture shows through the scrolled area: it draws the rows' white ground.
  rows_area_ = new QScrollArea(this);
  rows_area_->setObjectName(QStringLiteral("queryRows"));
  rows_area_->setGeometry(handheld::kInputRowsArea);
  rows_area_->setFrameShape(QFrame::NoFrame);
  rows_area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  rows_area_->viewport()->setAutoFillBackground(false);
  rows_ = new QWidget;
  rows_area_->setWidget(rows_);
  rows_->setAutoFillBackground(false);

  (new handheld::MouseArea(this, handheld::kFindButton, Qt::PointingHandCursor, [this] {
    handlers_.find();
  }))->setObjectName(QStringLiteral("findButton"));
  (new handheld::MouseArea(this, handheld::kClearButton, Qt::PointingHandCursor, [this] {
    ClearBoxes();
  }))->setObjectName(QStringLiteral("clearButton"));
  (new handheld::MouseArea(this, handheld::kDataTab, Qt::PointingHandCursor, [this] {
    handlers_.show_data();
  }))->setObjectName(QStringLiteral("dataTab"));
  (new handheld::MouseArea(this, handheld::kExitTab, Qt::PointingHandCursor, [this] {
    handlers_.exit();
  }))->setObjectName(QStringLiteral("exitTab"));
}

void QueryScreen::ShowBook(const BookLayout& layout) {
  qDeleteAll(row_widgets_);
  row_widgets_.clear();
  boxes_.clear();
  box_fields_.clear();
  name_->setText(window_common::FromCp1251(layout.name));
  if (layout.kind == BookKind::kPhoneBook) {
    AddRow(1, QStringLiteral("Текст"), kPhoneBookBoxWidth, layout.fields.front().flags);
  } else {
    const std::vector<std::size_t> fields = InputFields(layout);
    for (std::size_t row = 0; row < fields.size(); ++row) {
      const BookField& field = layout.fields[fields[row]];
      AddRow(static_cast<int>(row) + 1, window_common::FromCp1251(field.name), field.edit_width,
             field.flags);
      box_fields_.push_back(fields[row]);
    }
  }
  rows_area_->ensureVisible(0, 0);
  setFocusPolicy(boxes_.empty() ? Qt::StrongFocus : Qt::NoFocus);
}

void QueryScreen::FocusFirstBox() {
  if (boxes_.empty()) {
    setFocus();
  } else {
    boxes_.front()->setFocus();
  }
}

void QueryScreen::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    handlers_.find();
  } else {
    ScreenFrame::keyPressEvent(event);
  }
}

void QueryScreen::AddRow(int row, const QString& label, int width, std::uint8_t flags) {
  // The rows lie where the screen has them, less the place of the scrolled area.
  const QPoint area = handheld::kInputRowsArea.topLeft();
  QLabel* caption = handheld::AddInputLabel(rows_, row, label);
  caption->move(caption->pos() - area);
  auto* box = new QLineEdit(rows_);
  box->setObjectName(QStringLiteral("queryBox%1").arg(row));
  box->setGeometry(
      QRect(handheld::kInputBoxLeft, handheld::InputBoxTop(row), width, handheld::kInputBoxHeight)
          .translated(-area));
  box->setValidator(new QueryBoxValidator(flags, box));
  connect(box, &QLineEdit::returnPressed, this, [this] { handlers_.find(); });
  window_common::OpenDroppedFiles(box, handlers_.open_book);
  caption->show();
  box->show();
  row_widgets_.insert(row_widgets_.end(), {caption, box});
  boxes_.push_back(box);
  // Down to where a next row would begin: five rows fill the area, a sixth makes it scroll.
  rows_->resize(handheld::kInputRowsArea.width(), handheld::InputBoxTop(row + 1) - area.y() - 1);
}

RecordMatcher QueryScreen::Query(const BookLayout& layout) const {
  if (layout.kind == BookKind::kPhoneBook) {
    return RecordMatcher::AnyField(
        layout, boxes_.empty() ? std::string() : window_common::ToCp1251(boxes_[0]->text()));
  }
  std::vector<QueryBox> query;
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    query.push_back({box_fields_[i], window_common::ToCp1251(boxes_[i]->text())});
  }
  return RecordMatcher::AllBoxes(layout, query);
}

void QueryScreen::ClearBoxes() {
  for (QLineEdit* box : boxes_) box->clear();
}

}  // namespace viewer
