// One of the two panels that the window's splitter divides.
#pragma once

#include <QFrame>

class QScrollArea;

namespace designer {

// The panel's controls keep their places on a page of fixed size. When the splitter makes the
// panel lower than the page, the page scrolls, so that no control is ever out of reach; a
// bottom bar (the status bar) stays at the panel's bottom edge, within its frame.
class SplitterPanel : public QFrame {
 public:
  SplitterPanel(QWidget* parent, QSize page_size);

  // The page, the parent of the panel's controls.
  QWidget* page() const { return page_; }
  // Keeps `bar` (a child of the panel) at the bottom edge, as wide as the panel's inside.
  void SetBottomBar(QWidget* bar);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QScrollArea* scroll_;
  QWidget* page_;
  QWidget* bar_ = nullptr;
};

}  // namespace designer
