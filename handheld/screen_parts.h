// The parts the designer's preview and the viewer draw alike: a screen with its picture and the
// title bar's clock, the label of a query row and the look of the result list.
#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QTableView;
class QTime;

namespace handheld {

// One of the handheld's screens, kFrameWidth x kFrameHeight, named "queryScreen" or
// "resultScreen": its picture ("queryPicture", "resultPicture") in a one-pixel box, and the clock
// of the title bar when `with_clock` (white bold Courier, nine blanks until it is first set).
class ScreenFrame : public QFrame {
 public:
  enum class Screen { kQuery, kResult };
  ScreenFrame(QWidget* parent, Screen screen, bool with_clock);
  void SetClockText(const QString& text);

 private:
  QLabel* clock_ = nullptr;
};

// What the clock shows at `time`.
QString ClockText(const QTime& time);

// The label of query row `row` (from 1; the viewer scrolls rows beyond kInputRows) on `screen`:
// black on white, sized to its text.
QLabel* AddInputLabel(QWidget* screen, int row, const QString& text);

// `list` placed and drawn as the handheld's result list: no frame, rows of 18 pixels without
// numbers or lines, lines between the columns only, headings on the left, values cut at the
// column's edge and never edited.
void StyleResultList(QTableView* list);

}  // namespace handheld
