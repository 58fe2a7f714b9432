// Where things lie on the handheld's two screens, in pixels of the screen's frame: a one-pixel
// border around the 240 x 320 picture, so a place on the picture lies one pixel further right
// and down. The buttons and tabs are where the stored pictures draw them.
#pragma once

#include <QPoint>
#include <QRect>

namespace handheld {

inline constexpr int kFrameWidth = 242;
inline constexpr int kFrameHeight = 322;

// The query screen: the clock in the title bar, the book's name, the rows of query boxes and the
// two buttons.
inline constexpr QPoint kClockPlace(192, 6);
inline constexpr QRect kNameBox(40, 60, 195, 19);
inline constexpr int kInputRows = 5;  // rows above the buttons
inline constexpr int kInputLabelLeft = 7;
inline constexpr int kInputBoxLeft = 66;
inline constexpr int kInputBoxWidthAtStart = 138;
inline constexpr int kInputBoxHeight = 19;
constexpr int InputLabelTop(int row) { return 64 + 22 * row; }  // rows from 1
constexpr int InputBoxTop(int row) { return 59 + 22 * row; }
// The kInputRows rows, from above the first box to above the "Найти" button: where the viewer
// scrolls the rows of a book with more query boxes than that.
inline constexpr QRect kInputRowsArea(1, 80, 240, 22 * kInputRows);
inline constexpr QRect kFindButton(66, 192, 70, 19);
inline constexpr QRect kClearButton(66, 216, 70, 19);

// The result screen's list, and its rows.
inline constexpr QRect kResultList(1, 28, 240, 219);
inline constexpr int kListRowHeight = 18;

// The tab bar of both screens, and its tabs.
inline constexpr QRect kTabBar(-6, 274, 247, 22);
inline constexpr QRect kSearchTab(3, 274, 47, 20);
inline constexpr QRect kDataTab(50, 274, 60, 20);
inline constexpr QRect kExitTab(180, 274, 51, 20);

}  // namespace handheld
