#include "designer/window/splitter_panel.h"

#include <QApplication>
#include <QScrollArea>

namespace designer {

SplitterPanel::SplitterPanel(QWidget* parent, QSize page_size) : QFrame(parent) {
  scroll_ = new QScrollArea(this);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setFocusPolicy(Qt::NoFocus);  // Tab goes to the controls on the page
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The panel's own face and frame show through around the page.
  scroll_->viewport()->setAutoFillBackground(false);
  page_ = new QWidget;
  page_->setFixedSize(page_size);
  scroll_->setWidget(page_);
  page_->setAutoFillBackground(false);  // setWidget turned it on
  // Whatever takes the focus, by Tab, click or program, is scrolled into view.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && page_->isAncestorOf(now)) scroll_->ensureWidgetVisible(now, 0, 0);
  });
}

void SplitterPanel::SetBottomBar(QWidget* bar) {
  bar_ = bar;
  bar_->raise();
}

// The page starts at the panel's own corner, over the frame, so that its controls stand where
// the layout puts them relative to the panel.
void SplitterPanel::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  const int frame = frameWidth();
  int page_height = height();
  if (bar_) {
    const int bar_height = bar_->height();
    bar_->setGeometry(frame, height() - frame - bar_height, width() - 2 * frame, bar_height);
    page_height = bar_->y();
  }
  scroll_->setGeometry(0, 0, width(), page_height);
}

}  // namespace designer
