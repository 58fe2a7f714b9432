// A small GIF writer for the screen pictures: Qt reads GIF but cannot write it.
//
// The file is GIF89a with one global table of 16 colours and one image covering the whole
// logical screen, its pixels compressed with variable-width LZW (codes of 5 to 12 bits, a clear
// code whenever the 4096-entry table is full).
#pragma once

#include <QByteArray>
#include <QImage>

namespace handheld {

// The GIF file of `image`, which must be QImage::Format_Indexed8 with at most 16 colours and no
// pixel index beyond its colour table, and at most 65535 pixels wide and high. An empty array
// when the image does not qualify.
QByteArray EncodeGif16(const QImage& image);

}  // namespace handheld
