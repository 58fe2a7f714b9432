#include "builder/window/hyperlink_label.h"

#include <QEnterEvent>
#include <QMouseEvent>

namespace builder {

namespace {
const QColor kLinkColour(0, 0, 192);
}  // namespace

HyperlinkLabel::HyperlinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, kLinkColour);
  setPalette(palette);
  setCursor(Qt::PointingHandCursor);
}

void HyperlinkLabel::enterEvent(QEnterEvent* event) {
  SetUnderlined(true);
  QLabel::enterEvent(event);
}

void HyperlinkLabel::leaveEvent(QEvent* event) {
  SetUnderlined(false);
  QLabel::leaveEvent(event);
}

void HyperlinkLabel::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QLabel::mousePressEvent(event);
}

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click) emit clicked();
}

void HyperlinkLabel::SetUnderlined(bool underlined) {
  QFont underlined_font = font();
  underlined_font.setUnderline(underlined);
  setFont(underlined_font);
}

}  // namespace builder
