// Draws the two 240 x 320 pictures of the handheld's screens that the designer's preview and the
// viewer lie over, and writes them as 16-colour GIF files:
//
//   make_screens <folder>   writes <folder>/query_screen.gif and <folder>/result_screen.gif
//
// Everything is drawn with exact palette colours and without antialiasing, so every pixel maps
// to one of the 16 colours. The text uses the font family below; the stored pictures were made
// with it installed (a different font changes only the letters' shapes).
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QVector>
#include <cstdio>
#include <vector>

#include "handheld/gif_writer.h"

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 320;
const char kFontFamily[] = "DejaVu Sans";
const char kViewerTitle[] = "Brindle-Wick 0.1";

// The colours of both pictures; a GIF table holds 16, the writer fills the rest.
enum Colour {
  kBlack,
  kWhite,
  kTitleBlue,
  kTitleBlueLight,
  kFace,    // buttons, tab bar
  kShadow,  // dark edge of raised things
  kLight,   // light edge of raised things
  kFrame,   // the list's frame, the menu bar's top line
  kFlagRed,
  kFlagGreen,
  kFlagBlue,
  kFlagYellow,
  kMenuBar,
  kTabText,
  kKeyTop,
  kColourCount
};

const QRgb kPalette[kColourCount] = {
    qRgb(0, 0, 0),       qRgb(255, 255, 255), qRgb(16, 52, 148),   qRgb(64, 112, 200),
    qRgb(212, 208, 200), qRgb(128, 128, 128), qRgb(240, 240, 240), qRgb(64, 64, 64),
    qRgb(224, 56, 32),   qRgb(48, 160, 48),   qRgb(32, 88, 216),   qRgb(240, 200, 32),
    qRgb(232, 232, 232), qRgb(48, 48, 48),    qRgb(250, 250, 250),
};

QColor C(Colour colour) { return QColor(kPalette[colour]); }

QFont Font(int pixels, bool bold) {
  QFont font(QString::fromLatin1(kFontFamily));
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

// A raised rectangle: face, light top-left edge, dark bottom-right edge.
void Raised(QPainter& p, const QRect& r) {
  p.fillRect(r, C(kFace));
  p.setPen(C(kLight));
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(C(kShadow));
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
}

// The system's start flag: four coloured panes, slightly waved.
void StartFlag(QPainter& p, int left, int top) {
  const Colour panes[4] = {kFlagRed, kFlagGreen, kFlagBlue, kFlagYellow};
  for (int i = 0; i < 4; ++i) {
    const int x = left + (i % 2) * 8;
    const int y = top + (i / 2) * 8 + (i % 2 == 0 ? 1 : 0);
    p.fillRect(QRect(x, y, 7, 7), C(panes[i]));
  }
}

void TitleBar(QPainter& p) {
  p.fillRect(QRect(0, 0, kWidth, 26), C(kTitleBlue));
  p.setPen(C(kTitleBlueLight));
  p.drawLine(0, 25, kWidth - 1, 25);
  StartFlag(p, 5, 5);
  p.setFont(Font(12, true));
  p.setPen(C(kWhite));
  p.drawText(QRect(26, 0, 160, 26), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromLatin1(kViewerTitle));
}

// The tab bar at rows 273..295 with tab `active` (0-based) joined to the page above it, and the
// system's menu bar below with the input panel's keyboard button.
void TabAndMenuBars(QPainter& p, int active) {
  const QStringList tabs = {QStringLiteral("Поиск"), QStringLiteral("Данные"),
                            QStringLiteral("Опции"), QStringLiteral("?"), QStringLiteral("Выход")};
  const QRect bar(0, 273, kWidth, 23);
  p.fillRect(bar, C(kFace));
  p.setPen(C(kShadow));
  p.drawLine(bar.topLeft(), bar.topRight());
  p.setFont(Font(11, false));
  const QFontMetrics metrics(p.font());
  int x = 2;
  for (int i = 0; i < tabs.size(); ++i) {
    const int width = metrics.horizontalAdvance(tabs[i]) + 12;
    const QRect tab(x, bar.top(), width, 19);
    if (i == active) {
      // The active tab hangs from the page: white, no line between them.
      p.fillRect(tab.adjusted(0, 0, 0, 1), C(kWhite));
      p.setPen(C(kBlack));
      p.drawLine(tab.left(), tab.top(), tab.left(), tab.bottom() + 1);
      p.drawLine(tab.left(), tab.bottom() + 1, tab.right(), tab.bottom() + 1);
      p.drawLine(tab.right(), tab.top(), tab.right(), tab.bottom() + 1);
    } else {
      p.setPen(C(kShadow));
      p.drawLine(tab.right(), tab.top() + 3, tab.right(), tab.bottom() - 2);
    }
    p.setPen(C(kTabText));
    p.drawText(tab, Qt::AlignCenter, tabs[i]);
    x += width + 1;
  }

  const QRect menu(0, 296, kWidth, 24);
  p.fillRect(menu, C(kMenuBar));
  p.setPen(C(kFrame));
  p.drawLine(menu.topLeft(), menu.topRight());
  // The keyboard button: a small keyboard with three rows of keys and a space bar, and the
  // arrow that opens the input panel's menu.
  const QRect keyboard(204, 302, 21, 13);
  p.fillRect(keyboard, C(kBlack));
  for (int row = 0; row < 3; ++row) {
    for (int key = 0; key < 6; ++key) {
      p.fillRect(QRect(keyboard.left() + 2 + key * 3, keyboard.top() + 2 + row * 3, 2, 2),
                 C(kKeyTop));
    }
  }
  p.fillRect(QRect(keyboard.left() + 5, keyboard.bottom() - 2, 11, 1), C(kKeyTop));
  p.setPen(C(kBlack));
  for (int i = 0; i < 3; ++i) p.drawLine(229 + i, 306 + i, 233 - i, 306 + i);
}

void Button(QPainter& p, const QRect& r, const QString& text) {
  Raised(p, r);
  p.setPen(C(kBlack));
  p.drawRect(r.adjusted(-1, -1, 0, 0));
  p.setFont(Font(11, false));
  p.drawText(r, Qt::AlignCenter, text);
}

QImage QueryScreen() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(C(kWhite));
  QPainter p(&image);
  TitleBar(p);
  p.setFont(Font(12, true));
  p.setPen(C(kTitleBlue));
  p.drawText(QRect(0, 30, kWidth, 22), Qt::AlignCenter, QString::fromLatin1(kViewerTitle));
  p.setPen(C(kBlack));
  p.setFont(Font(11, false));
  p.drawText(QRect(8, 59, 30, 19), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("БД"));
  Button(p, QRect(65, 191, 70, 19), QStringLiteral("Найти"));
  Button(p, QRect(65, 215, 70, 19), QStringLiteral("Очистить"));
  TabAndMenuBars(p, 0);
  return image;
}

QImage ResultScreen() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(C(kWhite));
  QPainter p(&image);
  TitleBar(p);
  p.setPen(C(kFrame));
  p.drawRect(QRect(0, 28, kWidth - 1, 246 - 28));
  TabAndMenuBars(p, 1);
  return image;
}

// The picture with every pixel replaced by its palette index.
QImage ToPalette(const QImage& picture) {
  QImage indexed(picture.size(), QImage::Format_Indexed8);
  indexed.setColorTable(QVector<QRgb>(std::begin(kPalette), std::end(kPalette)));
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb pixel = picture.pixel(x, y) | 0xff000000u;
      int index = 0;
      while (index < kColourCount && kPalette[index] != pixel) ++index;
      if (index == kColourCount) {
        std::fprintf(stderr, "make_screens: pixel %d,%d has no palette colour\n", x, y);
        return {};
      }
      indexed.setPixel(x, y, static_cast<uint>(index));
    }
  }
  return indexed;
}

bool Write(const QImage& picture, const QString& path) {
  const QImage indexed = ToPalette(picture);
  const QByteArray gif = indexed.isNull() ? QByteArray() : handheld::EncodeGif16(indexed);
  QFile file(path);
  if (gif.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(gif) != gif.size()) {
    std::fprintf(stderr, "make_screens: cannot write %s\n", qUtf8Printable(path));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_screens <folder>\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  const bool ok = Write(QueryScreen(), folder.filePath(QStringLiteral("query_screen.gif"))) &&
                  Write(ResultScreen(), folder.filePath(QStringLiteral("result_screen.gif")));
  return ok ? 0 : 1;
}
