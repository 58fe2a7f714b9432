// The two pictures of the handheld's screens, stored as 240 x 320 GIF images among the program's
// resources (drawn by tools/make_screens).
#pragma once

#include <QPixmap>
#include <QString>

inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 320;

inline const char kQueryScreenPicture[] = ":/screens/query_screen.gif";
inline const char kResultScreenPicture[] = ":/screens/result_screen.gif";

// The picture decoded by Qt's GIF reader; a null pixmap (and a warning on the log) when it
// cannot be read, so the screen is shown without its picture rather than not at all.
QPixmap LoadScreenPicture(const QString& resource);
