// A text label at a fixed place of a panel, sized to its text: the window's and the preview's
// captions.
#pragma once

#include <QPoint>

class QLabel;
class QWidget;

namespace designer {

// `utf8` shown at (left, top) of `parent`, in the parent's font or its bold form.
QLabel* AddLabel(QWidget* parent, const char* utf8, int left, int top, bool bold = false);
inline QLabel* AddLabel(QWidget* parent, const char* utf8, QPoint place, bool bold = false) {
  return AddLabel(parent, utf8, place.x(), place.y(), bold);
}

}  // namespace designer
