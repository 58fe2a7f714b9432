#include "designer/window/preview_query_screen.h"

#include <QLabel>
#include <QLineEdit>
#include <utility>

#include "designer/window/key_release.h"
#include "designer/window/number_box.h"
#include "designer/window/preview_input_box.h"
#include "designer/window/preview_mouse_area.h"
#include "designer/window/preview_pictures.h"

namespace designer {

namespace {

constexpr int kLabelLeft = 7;
constexpr int kBoxLeft = 66;
constexpr int kBoxWidthAtStart = 138;
constexpr int kBoxHeight = 19;
constexpr int kRowStep = 22;
// Nine blanks: the clock's room in the title bar before its first tick.
constexpr char kClockBeforeFirstTick[] = "         ";

int LabelTop(int row) { return 64 + kRowStep * row; }
int BoxTop(int row) { return 59 + kRowStep * row; }

}  // namespace

PreviewQueryScreen::PreviewQueryScreen(QWidget* lower_page, Handlers handlers)
    : QFrame(lower_page), handlers_(std::move(handlers)) {
  setObjectName(QStringLiteral("queryScreen"));
  setFrameShape(QFrame::Box);
  setGeometry(245, 18, 242, 322);

  AddScreenPicture(this, "queryPicture", kQueryScreenPicture);

  clock_ = new QLabel(QString::fromLatin1(kClockBeforeFirstTick), this);
  clock_->setObjectName(QStringLiteral("clock"));
  QFont clock_font(QStringLiteral("Courier"), 8, QFont::Bold);
  clock_font.setStyleHint(QFont::TypeWriter);
  clock_->setFont(clock_font);
  clock_->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
  clock_->move(192, 6);
  clock_->adjustSize();

  for (int row = 1; row <= kInputRows; ++row) {
    auto* label = new QLabel(QString::number(row), this);
    label->setObjectName(QStringLiteral("inputLabel%1").arg(row));
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->move(kLabelLeft, LabelTop(row));
    label->adjustSize();
    labels_[row] = label;
  }

  name_ = new QLineEdit(this);
  name_->setObjectName(QStringLiteral("queryDatabaseName"));
  name_->setGeometry(40, 60, 195, kBoxHeight);
  // Only what the user types is mirrored; text set by code raises no key release.
  OnKeyTypedIn(name_, [this] { handlers_.name_typed(name_->text()); });

  for (int row = 1; row <= kInputRows; ++row) {
    auto* box = new PreviewInputBox(
        this, box_resizing_, [this, row](int width) { handlers_.width_dragged(row, width); });
    box->setObjectName(QStringLiteral("inputBox%1").arg(row));
    box->setGeometry(kBoxLeft, BoxTop(row), kBoxWidthAtStart, kBoxHeight);
    boxes_[row] = box;
  }

  const auto find = [this] { handlers_.find_pressed(); };
  (new PreviewMouseArea(this, QRect(66, 192, 70, 19), Qt::ArrowCursor, find))
      ->setObjectName(QStringLiteral("findArea"));
  (new PreviewMouseArea(this, QRect(66, 216, 70, 19), Qt::ArrowCursor, [this] {
    ClearInputs();
  }))->setObjectName(QStringLiteral("clearArea"));
  (new PreviewMouseArea(this, QRect(-6, 274, 247, 22), Qt::ForbiddenCursor, find))
      ->setObjectName(QStringLiteral("queryTabBar"));
}

void PreviewQueryScreen::ShowRow(int row, const QString& label, int width) {
  if (row < 1 || row > kInputRows) return;
  labels_[row]->setText(label);
  labels_[row]->adjustSize();
  boxes_[row]->resize(ShownWidth(width), kBoxHeight);
  labels_[row]->show();
  boxes_[row]->show();
}

void PreviewQueryScreen::HideRow(int row) {
  if (row < 1 || row > kInputRows) return;
  labels_[row]->hide();
  boxes_[row]->hide();
}

void PreviewQueryScreen::ClearInputs() {
  for (int row = 1; row <= kInputRows; ++row) boxes_[row]->clear();
}

void PreviewQueryScreen::SetClockText(const QString& text) {
  clock_->setText(text);
  clock_->adjustSize();
}

void PreviewQueryScreen::SetDatabaseName(const QString& name) { name_->setText(name); }

QList<QWidget*> PreviewQueryScreen::TabOrder() const {
  QList<QWidget*> order{name_};
  for (int row = 1; row <= kInputRows; ++row) order << boxes_[row];
  return order;
}

}  // namespace designer
