// One of the five input boxes of the query screen. Besides taking text like the handheld's box,
// it lets the user drag its right edge to set the field's input width.
#pragma once

#include <QLineEdit>
#include <functional>

namespace designer {

class PreviewInputBox : public QLineEdit {
 public:
  // `resizing` is the one drag flag that all five boxes share; `width_dragged` hears every
  // new width while the edge is dragged.
  PreviewInputBox(QWidget* parent, bool& resizing, std::function<void(int width)> width_dragged);

  // The narrowest and widest widths the edge drag gives.
  static constexpr int kNarrowest = 10;
  static constexpr int kWidest = 174;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool& resizing_;
  std::function<void(int)> width_dragged_;
};

}  // namespace designer
