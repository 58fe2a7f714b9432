// The parts the designer's preview and the viewer draw alike over the screen pictures: the clock
// of the title bar, the label of a query row and the look of the result list.
#pragma once

#include <QString>

class QLabel;
class QTableView;
class QTime;
class QWidget;

namespace handheld {

// The clock at its place on `screen`: white bold Courier on the title bar, nine blanks until it
// is first set.
QLabel* AddClock(QWidget* screen);
// What the clock shows at `time`.
QString ClockText(const QTime& time);

// The label of query row `row` (1 to kInputRows) on `screen`: black on white, sized to its text.
QLabel* AddInputLabel(QWidget* screen, int row, const QString& text);

// `list` placed and drawn as the handheld's result list: no frame, rows of 18 pixels without
// numbers or lines, lines between the columns only, headings on the left, values cut at the
// column's edge and never edited.
void StyleResultList(QTableView* list);

}  // namespace handheld
