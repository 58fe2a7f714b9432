// The preview's controls in the left part of the lower panel: the width boxes query_width and
// result_width and the input order list input_order with its up and down buttons.
#pragma once

class QLineEdit;
class QListWidget;
class QToolButton;
class QWidget;

namespace designer {

// Height of one entry of the input order list.
inline constexpr int kOrderListItemHeight = 13;

struct PreviewSideControls {
  QLineEdit* query_width;
  QLineEdit* result_width;
  QListWidget* input_order;
  QToolButton* order_up;
  QToolButton* order_down;
};

// Creates the controls and their labels as children of `lower_page`, in their start state.
PreviewSideControls MakePreviewSideControls(QWidget* lower_page);

}  // namespace designer
