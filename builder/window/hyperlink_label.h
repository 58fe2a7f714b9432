// A text label that acts as a web link: dark blue text, a pointing hand over it, underlined
// while the pointer is over it, and a click signal. What a click opens is the owner's business.
#pragma once

#include <QLabel>

namespace builder {

class HyperlinkLabel : public QLabel {
  Q_OBJECT

 public:
  HyperlinkLabel(const QString& text, QWidget* parent);

 signals:
  // The left button was pressed and released over the label.
  void clicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SetUnderlined(bool underlined);

  bool pressed_ = false;
};

}  // namespace builder
