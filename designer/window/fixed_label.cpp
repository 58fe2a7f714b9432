#include "designer/window/fixed_label.h"

#include <QLabel>

namespace designer {

QLabel* AddLabel(QWidget* parent, const char* utf8, int left, int top, bool bold) {
  auto* label = new QLabel(QString::fromUtf8(utf8), parent);
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  label->adjustSize();
  label->move(left, top);
  return label;
}

}  // namespace designer
