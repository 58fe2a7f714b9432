// The two pictures of the handheld's screens, stored as 240 x 320 GIF images among the program's
// resources (drawn by tools/make_screens).
#pragma once

class QLabel;
class QWidget;

namespace handheld {

inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 320;

inline const char kQueryScreenPicture[] = ":/screens/query_screen.gif";
inline const char kResultScreenPicture[] = ":/screens/result_screen.gif";

// Makes the two pictures readable under the names above; the screens need it before they are built.
void RegisterScreenPictures();

// The picture `resource` as the label `object_name`, filling the 240 x 320 inside the one-pixel
// frame of `screen`. The picture is decoded by Qt's GIF reader; one that cannot be read leaves
// the label empty (and a warning on the log), so the screen is shown without its picture rather
// than not at all.
QLabel* AddScreenPicture(QWidget* screen, const char* object_name, const char* resource);

}  // namespace handheld
