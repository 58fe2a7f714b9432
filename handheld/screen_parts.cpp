#include "handheld/screen_parts.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTime>

#include "handheld/screen_layout.h"
#include "handheld/screen_pictures.h"

namespace handheld {

namespace {

// Nine blanks: the clock's room in the title bar before its first tick.
constexpr char kClockBeforeFirstTick[] = "         ";

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

ScreenFrame::ScreenFrame(QWidget* parent, Screen screen, bool with_clock) : QFrame(parent) {
  const bool query = screen == Screen::kQuery;
  setObjectName(query ? QStringLiteral("queryScreen") : QStringLiteral("resultScreen"));
  setFrameShape(QFrame::Box);
  resize(kFrameWidth, kFrameHeight);
  AddScreenPicture(this, query ? "queryPicture" : "resultPicture",
                   query ? kQueryScreenPicture : kResultScreenPicture);
  if (!with_clock) return;
  clock_ = new QLabel(QString::fromLatin1(kClockBeforeFirstTick), this);
  clock_->setObjectName(QStringLiteral("clock"));
  QFont clock_font(QStringLiteral("Courier"), 8, QFont::Bold);
  clock_font.setStyleHint(QFont::TypeWriter);
  clock_->setFont(clock_font);
  clock_->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
  clock_->move(kClockPlace);
  clock_->adjustSize();
}

void ScreenFrame::SetClockText(const QString& text) {
  if (clock_ == nullptr) return;
  clock_->setText(text);
  clock_->adjustSize();
}

QString ClockText(const QTime& time) { return time.toString(QStringLiteral("hh:mm")); }

QLabel* AddInputLabel(QWidget* screen, int row, const QString& text) {
  auto* label = new QLabel(text, screen);
  label->setObjectName(QStringLiteral("inputLabel%1").arg(row));
  label->setAutoFillBackground(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(palette);
  label->move(kInputLabelLeft, InputLabelTop(row));
  label->adjustSize();
  return label;
}

void StyleResultList(QTableView* list) {
  list->setGeometry(kResultList);
  list->setFrameShape(QFrame::NoFrame);
  list->setShowGrid(false);
  list->setItemDelegate(new ColumnLineDelegate(list));
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setWordWrap(false);
  list->setTextElideMode(Qt::ElideNone);  // the handheld cuts a long value at the column edge
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  list->verticalHeader()->hide();
  list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list->verticalHeader()->setDefaultSectionSize(kListRowHeight);
  QHeaderView* heading = list->horizontalHeader();
  heading->setFixedHeight(kListRowHeight);
  heading->setMinimumSectionSize(0);
  heading->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  heading->setHighlightSections(false);
  heading->setSectionResizeMode(QHeaderView::Interactive);
  heading->setStretchLastSection(false);
}

}  // namespace handheld
