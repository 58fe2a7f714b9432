// Where the designer window's controls lie, in pixels: the client area's parts, then the places
// on the upper panel's page, on the lower panel's page and on the status bar, each of its parent.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace designer {

// The client area below the menu bar, and the upper panel's height at start.
inline constexpr int kClientWidth = 763;
inline constexpr int kClientHeight = 535;
inline constexpr int kUpperPanelHeight = 172;
// What is left of the lower panel above the status bar.
inline constexpr int kLowerPageHeight = kClientHeight - kUpperPanelHeight - 2 - 19;
// Either panel keeps room for its scroll bar when the splitter is dragged far.
inline constexpr int kMinPanelHeight = 60;

// The upper page: the toolbar with its buttons and the line along its bottom edge ...
inline constexpr QRect kToolBar(0, 0, kClientWidth, 24);
inline constexpr QRect kToolBarLine(0, 22, kClientWidth, 2);
inline constexpr QSize kToolIconSize(16, 16);
inline constexpr QRect kOpenButton(4, 0, 23, 22);
inline constexpr QRect kSaveButton(27, 0, 23, 22);
inline constexpr QRect kExitButton(50, 0, 23, 22);
inline constexpr QRect kToolSeparator(76, 2, 2, 18);
inline constexpr QRect kHelpButton(81, 0, 23, 22);
// ... the document's values under it ...
inline constexpr QPoint kDatabaseNameLabel(8, 28);
inline constexpr QRect kDatabaseName(120, 27, 265, 19);
inline constexpr QPoint kSplitterLabel(448, 28);
inline constexpr QRect kSplitterBox(528, 27, 17, 19);
inline constexpr QRect kCutLongLines(560, 27, 201, 17);
// ... and the field grid, with its caption.
inline constexpr QPoint kFieldsLabel(8, 51);
inline constexpr QRect kFieldGrid(120, 48, 577, 121);
inline constexpr int kTickSide = 13;  // the check boxes over the grid's tick cells

// The lower page: the selected field's properties, left ...
inline constexpr QPoint kPropertiesLabel(10, 3);
inline constexpr QPoint kNumSizeLabel(10, 24);
inline constexpr QRect kNumSizeBox(120, 20, 100, 19);
inline constexpr QPoint kMaxLenLabel(10, 46);
inline constexpr QRect kMaxLenBox(120, 42, 100, 19);
inline constexpr QPoint kSearchCriteriaLabel(10, 66);
inline constexpr QPoint kDigitsOnlyLabel(32, 85);
inline constexpr QRect kDigitsOnlySelector(120, 81, 100, 21);
inline constexpr QPoint kUpperCaseLabel(32, 107);
inline constexpr QRect kUpperCaseSelector(120, 103, 100, 21);
inline constexpr QPoint kSearchProcedureLabel(10, 127);
inline constexpr QPoint kIgnoreCaseLabel(32, 146);
inline constexpr QRect kIgnoreCaseSelector(120, 142, 100, 21);
inline constexpr QPoint kSearchWithinLabel(32, 168);
inline constexpr QRect kSearchWithinSelector(120, 164, 100, 21);
// ... its widths and the input order under them ...
inline constexpr QPoint kWidthsLabel(10, 193);
inline constexpr QPoint kQueryWidthLabel(32, 210);
inline constexpr QRect kQueryWidthBox(120, 206, 100, 19);
inline constexpr QPoint kResultWidthLabel(32, 230);
inline constexpr QRect kResultWidthBox(120, 228, 100, 19);
inline constexpr QPoint kInputOrderLabel(10, 249);
inline constexpr QRect kInputOrder(120, 265, 89, 73);
inline constexpr QRect kOrderUp(208, 265, 17, 36);
inline constexpr QRect kOrderDown(208, 301, 17, 37);
// ... and the handheld's two screens right of them, under their caption.
inline constexpr QPoint kPreviewLabel(233, 3);
inline constexpr QPoint kQueryScreenPlace(245, 18);
inline constexpr QPoint kResultScreenPlace(510, 18);

// The status bar: its four panels, and over the third and right of the last the progress, the
// cancel button and the tips.
inline constexpr QSize kStatusBarSize(761, 18);
inline constexpr int kStatusPanelWidths[4] = {150, 60, 120, 50};
inline constexpr QRect kProgressBar(214, 4, 113, 12);
inline constexpr QRect kCancelButton(332, 0, 64, 18);
inline constexpr QRect kStatusTip(400, 0, 361, 18);

}  // namespace designer
