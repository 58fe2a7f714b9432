// Where the builder window's controls lie, in pixels of its client area.
#pragma once

#include <QRect>

namespace builder {

// The outer size 405 x 220 less a fixed 3-pixel frame on each side and a 19-pixel caption.
inline constexpr int kClientWidth = 399;
inline constexpr int kClientHeight = 195;

// The two centred lines at the top: the banner and the maker's address under it.
inline constexpr QRect kBannerPlace(0, 10, 400, 40);
inline constexpr QRect kLinkPlace(0, 39, 400, 15);

// The labels left of the fields.
inline constexpr QRect kFileLabel(5, 62, 79, 14);
inline constexpr QRect kNameLabel(5, 85, 79, 14);
inline constexpr QRect kSplitterLabel(5, 109, 79, 14);
inline constexpr QRect kDigitsLabel(110, 109, 79, 14);

// The fields, the button that chooses the file, and the two buttons below.
inline constexpr QRect kPathField(85, 60, 200, 20);
inline constexpr QRect kChooseButton(290, 60, 60, 20);
inline constexpr QRect kNameField(85, 83, 200, 20);
inline constexpr QRect kSplitterField(85, 106, 16, 20);
inline constexpr QRect kDigitsField(180, 106, 16, 20);
inline constexpr QRect kStartButton(85, 136, 60, 20);
inline constexpr QRect kCloseButton(150, 136, 60, 20);

}  // namespace builder
