#include "designer/window/preview_side_controls.h"

#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QToolButton>

#include "designer/window/fixed_label.h"

namespace {

QLineEdit* AddWidthBox(QWidget* panel2, const char* name, int top) {
  auto* box = new QLineEdit(QStringLiteral("0"), panel2);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(120, top, 100, 19);
  // Typed or pasted text other than digits never gets in.
  box->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
  return box;
}

QToolButton* AddArrow(QWidget* panel2, const char* name, Qt::ArrowType arrow, int top, int height) {
  auto* button = new QToolButton(panel2);
  button->setObjectName(QString::fromLatin1(name));
  button->setArrowType(arrow);
  button->setGeometry(208, top, 17, height);
  // The list keeps the focus while its entry is moved.
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRepeat(true);  // held down, it keeps moving the entry
  return button;
}

}  // namespace

PreviewSideControls MakePreviewSideControls(QWidget* panel2) {
  PreviewSideControls controls{};
  AddLabel(panel2, "Ширина, пикселей", 10, 193);
  AddLabel(panel2, "Запроса", 32, 210);
  controls.edtWidth = AddWidthBox(panel2, "edtWidth", 206);
  AddLabel(panel2, "Результата", 32, 230);
  controls.edtResWidth = AddWidthBox(panel2, "edtResWidth", 228);
  AddLabel(panel2, "Порядок полей при вводе", 10, 249);

  controls.lbEdtFld = new QListWidget(panel2);
  controls.lbEdtFld->setObjectName(QStringLiteral("lbEdtFld"));
  controls.lbEdtFld->setGeometry(120, 265, 89, 73);
  controls.lbEdtFld->setUniformItemSizes(true);

  controls.udEdtFldUp = AddArrow(panel2, "udEdtFldUp", Qt::UpArrow, 265, 36);
  controls.udEdtFldDown = AddArrow(panel2, "udEdtFldDown", Qt::DownArrow, 301, 37);
  return controls;
}
