// The toolbar's and the menu's 16 × 16 images and the window icon, drawn in code so that they
// need no image files.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace designer {

QPixmap OpenFolderImage();
QPixmap FloppyDiskImage();
QPixmap DoorImage();
QPixmap HelpBookImage();
// The row marker of the field grid: a black triangle pointing right, 6 × 11.
QPixmap RowMarkerImage();
QIcon DesignerIcon();

}  // namespace designer
