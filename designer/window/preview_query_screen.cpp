#include "designer/window/preview_query_screen.h"

#include <QLabel>
#include <QLineEdit>
#include <utility>

#include "designer/window/key_release.h"
#include "designer/window/main_window_layout.h"
#include "designer/window/number_box.h"
#include "designer/window/preview_input_box.h"
#include "handheld/mouse_area.h"

namespace designer {

using handheld::kInputBoxHeight;

PreviewQueryScreen::PreviewQueryScreen(QWidget* lower_page, Handlers handlers)
    : ScreenFrame(lower_page, Screen::kQuery, true), handlers_(std::move(handlers)) {
  move(kQueryScreenPlace);
  for (int row = 1; row <= kInputRows; ++row) {
    labels_[row] = handheld::AddInputLabel(this, row, QString::number(row));
  }

  name_ = new QLineEdit(this);
  name_->setObjectName(QStringLiteral("queryDatabaseName"));
  name_->setGeometry(handheld::kNameBox);
  // Only what the user types is mirrored; text set by code raises no key release.
  OnKeyTypedIn(name_, [this] { handlers_.name_typed(name_->text()); });

  for (int row = 1; row <= kInputRows; ++row) {
    auto* box = new PreviewInputBox(
        this, box_resizing_, [this, row](int width) { handlers_.width_dragged(row, width); });
    box->setObjectName(QStringLiteral("inputBox%1").arg(row));
    box->setGeometry(handheld::kInputBoxLeft, handheld::InputBoxTop(row),
                     handheld::kInputBoxWidthAtStart, kInputBoxHeight);
    boxes_[row] = box;
  }

  const auto find = [this] { handlers_.find_pressed(); };
  (new handheld::MouseArea(this, handheld::kFindButton, Qt::ArrowCursor, find))
      ->setObjectName(QStringLiteral("findArea"));
  (new handheld::MouseArea(this, handheld::kClearButton, Qt::ArrowCursor, [this] {
    ClearInputs();
  }))->setObjectName(QStringLiteral("clearArea"));
  (new handheld::MouseArea(this, handheld::kTabBar, Qt::ForbiddenCursor, find))
      ->setObjectName(QStringLiteral("queryTabBar"));
}

void PreviewQueryScreen::ShowRow(int row, const QString& label, int width) {
  if (row < 1 || row > kInputRows) return;
  labels_[row]->setText(label);
  labels_[row]->adjustSize();
  boxes_[row]->resize(ShownWidth(width), kInputBoxHeight);
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

void PreviewQueryScreen::SetDatabaseName(const QString& name) { name_->setText(name); }

QList<QWidget*> PreviewQueryScreen::TabOrder() const {
  QList<QWidget*> order{name_};
  for (int row = 1; row <= kInputRows; ++row) order << boxes_[row];
  return order;
}

}  // namespace designer
