// The preview's controls in the left part of the lower panel: the width boxes edtWidth and
// edtResWidth and the input order list lbEdtFld with its up-down buttons udEdtFld.
#pragma once

class QLineEdit;
class QListWidget;
class QToolButton;
class QWidget;

// Height of one entry of the input order list.
inline constexpr int kOrderListItemHeight = 13;

struct PreviewSideControls {
  QLineEdit* edtWidth;
  QLineEdit* edtResWidth;
  QListWidget* lbEdtFld;
  QToolButton* udEdtFldUp;
  QToolButton* udEdtFldDown;
};

// Creates the controls and their labels as children of `panel2`, in their start state.
PreviewSideControls MakePreviewSideControls(QWidget* panel2);
