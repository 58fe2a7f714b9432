#include "window_common/window_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace window_common {

namespace {

constexpr int kPixelSize = 11;

// Registers the bundled faces once and answers their family name.
QString BundledFamily() {
  static const QString family = [] {
    QFontDatabase::addApplicationFont(QStringLiteral(":/window_common/LiberationSans-Bold.ttf"));
    const int regular = QFontDatabase::addApplicationFont(
        QStringLiteral(":/window_common/LiberationSans-Regular.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(regular);
    return families.isEmpty() ? QString() : families.first();
  }();
  return family;
}

}  // namespace

QFont WindowFont() {
  QFont font(BundledFamily());
  font.setPixelSize(kPixelSize);
  return font;
}

}  // namespace window_common
