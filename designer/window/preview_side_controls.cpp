#include "designer/window/preview_side_controls.h"

#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QToolButton>

#include "designer/window/fixed_label.h"
#include "designer/window/main_window_layout.h"

namespace designer {

namespace {

QLineEdit* AddWidthBox(QWidget* lower_page, const char* name, QRect geometry) {
  auto* box = new QLineEdit(QStringLiteral("0"), lower_page);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(geometry);
  // Typed or pasted text other than digits never gets in.
  box->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
  return box;
}

QToolButton* AddArrow(QWidget* lower_page, const char* name, Qt::ArrowType arrow, QRect geometry) {
  auto* button = new QToolButton(lower_page);
  button->setObjectName(QString::fromLatin1(name));
  button->setArrowType(arrow);
  button->setGeometry(geometry);
  // The list keeps the focus while its entry is moved.
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRepeat(true);  // held down, it keeps moving the entry
  return button;
}

}  // namespace

PreviewSideControls MakePreviewSideControls(QWidget* lower_page) {
  PreviewSideControls controls{};
  AddLabel(lower_page, "Ширина, пикселей", kWidthsLabel);
  AddLabel(lower_page, "Запроса", kQueryWidthLabel);
  controls.query_width = AddWidthBox(lower_page, "queryWidth", kQueryWidthBox);
  AddLabel(lower_page, "Результата", kResultWidthLabel);
  controls.result_width = AddWidthBox(lower_page, "resultWidth", kResultWidthBox);
  AddLabel(lower_page, "Порядок полей при вводе", kInputOrderLabel);

  controls.input_order = new QListWidget(lower_page);
  controls.input_order->setObjectName(QStringLiteral("inputOrder"));
  controls.input_order->setGeometry(kInputOrder);
  controls.input_order->setUniformItemSizes(true);

  controls.order_up = AddArrow(lower_page, "orderUp", Qt::UpArrow, kOrderUp);
  controls.order_down = AddArrow(lower_page, "orderDown", Qt::DownArrow, kOrderDown);
  return controls;
}

}  // namespace designer
