#include "designer/window/preview_side_controls.h"

#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QToolButton>

#include "designer/window/fixed_label.h"

namespace designer {

namespace {

QLineEdit* AddWidthBox(QWidget* lower_page, const char* name, int top) {
  auto* box = new QLineEdit(QStringLiteral("0"), lower_page);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(120, top, 100, 19);
  // Typed or pasted text other than digits never gets in.
  box->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
  return box;
}

QToolButton* AddArrow(QWidget* lower_page, const char* name, Qt::ArrowType arrow, int top,
                      int height) {
  auto* button = new QToolButton(lower_page);
  button->setObjectName(QString::fromLatin1(name));
  button->setArrowType(arrow);
  button->setGeometry(208, top, 17, height);
  // The list keeps the focus while its entry is moved.
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRepeat(true);  // held down, it keeps moving the entry
  return button;
}

}  // namespace

PreviewSideControls MakePreviewSideControls(QWidget* lower_page) {
  PreviewSideControls controls{};
  AddLabel(lower_page, "Ширина, пикселей", 10, 193);
  AddLabel(lower_page, "Запроса", 32, 210);
  controls.query_width = AddWidthBox(lower_page, "queryWidth", 206);
  AddLabel(lower_page, "Результата", 32, 230);
  controls.result_width = AddWidthBox(lower_page, "resultWidth", 228);
  AddLabel(lower_page, "Порядок полей при вводе", 10, 249);

  controls.input_order = new QListWidget(lower_page);
  controls.input_order->setObjectName(QStringLiteral("inputOrder"));
  controls.input_order->setGeometry(120, 265, 89, 73);
  controls.input_order->setUniformItemSizes(true);

  controls.order_up = AddArrow(lower_page, "orderUp", Qt::UpArrow, 265, 36);
  controls.order_down = AddArrow(lower_page, "orderDown", Qt::DownArrow, 301, 37);
  return controls;
}

}  // namespace designer
