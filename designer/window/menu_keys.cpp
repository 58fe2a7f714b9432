#include "designer/window/menu_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStyle>

namespace designer {
namespace {

// The two layouts key by key: the Latin character and the Russian letter of the same key.
constexpr char16_t kLatinKeys[] = u"qwertyuiop[]asdfghjkl;'zxcvbnm,.`";
constexpr char16_t kRussianKeys[] = u"йцукенгшщзхъфывапролджэячсмитьбюё";

// The Latin character on the key of the Russian letter `letter`; 0 when it is none.
QChar LatinOf(QChar letter) {
  const std::u16string_view russian(kRussianKeys);
  const auto at = russian.find(letter.toLower().unicode());
  return at == std::u16string_view::npos ? QChar() : QChar(kLatinKeys[at]);
}

// The Russian letter on the key of the Latin character `latin`; 0 when it is none.
QChar RussianOf(QChar latin) {
  const std::u16string_view keys(kLatinKeys);
  const auto at = keys.find(latin.toLower().unicode());
  return at == std::u16string_view::npos ? QChar() : QChar(kRussianKeys[at]);
}

// The underlined letter of a caption: the character after the first single "&".
QChar Mnemonic(const QString& caption) {
  const int at = caption.indexOf(QLatin1Char('&'));
  return at >= 0 && at + 1 < caption.size() ? caption[at + 1] : QChar();
}

class MenuKeys : public QObject {
 public:
  explicit MenuKeys(QMainWindow* window) : QObject(window), window_(window) {
    QMenuBar* bar = window->menuBar();
    for (QAction* menu : bar->actions()) {
      const QChar latin = LatinOf(Mnemonic(menu->text()));
      if (latin.isNull() || !menu->menu()) continue;
      auto* key = new QShortcut(QKeySequence(QStringLiteral("Alt+") + latin), window);
      connect(key, &QShortcut::activated, bar, [bar, menu] { bar->setActiveAction(menu); });
      menu->menu()->installEventFilter(this);
    }
    connect(new QShortcut(Qt::Key_F10, window), &QShortcut::activated, this, &MenuKeys::OpenFirst);
    // Where the style lets the menu bar take Alt alone itself, it does.
    if (!window->style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation, nullptr, bar))
      QCoreApplication::instance()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (auto* menu = qobject_cast<QMenu*>(watched))
      return event->type() == QEvent::KeyPress && AsRussianKey(menu, *key);
    if (!watched->isWidgetType() || QApplication::activeWindow() != window_) return false;
    if (event->type() == QEvent::KeyPress) {
      alt_alone_ = key->key() == Qt::Key_Alt && !key->isAutoRepeat();
    } else if (key->key() == Qt::Key_Alt && alt_alone_) {
      alt_alone_ = false;
      OpenFirst();
    }
    return false;
  }

 private:
  void OpenFirst() {
    const QList<QAction*> menus = window_->menuBar()->actions();
    if (!menus.isEmpty()) window_->menuBar()->setActiveAction(menus.first());
  }

  // A Latin character typed in an open menu chooses the item underlined with the Russian letter
  // of its key.
  static bool AsRussianKey(QMenu* menu, const QKeyEvent& key) {
    if (key.text().size() != 1 || (key.modifiers() & ~Qt::ShiftModifier)) return false;
    const QChar russian = RussianOf(key.text()[0]);
    if (russian.isNull()) return false;
    QKeyEvent translated(QEvent::KeyPress, key.key(), key.modifiers(), QString(russian));
    QCoreApplication::sendEvent(menu, &translated);
    return true;
  }

  QMainWindow* window_;
  bool alt_alone_ = false;
};

}  // namespace

void AddMenuKeys(QMainWindow* window) { new MenuKeys(window); }

}  // namespace designer
