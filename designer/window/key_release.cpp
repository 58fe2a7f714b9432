#include "designer/window/key_release.h"

#include <QEvent>
#include <QKeyEvent>
#include <QSet>
#include <QWidget>
#include <utility>

namespace designer {

namespace {

class KeyReleaseWatcher : public QObject {
 public:
  KeyReleaseWatcher(QWidget* box, std::function<void()> released)
      : QObject(box), released_(std::move(released)) {
    box->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
        pressed_.insert(static_cast<QKeyEvent*>(event)->key());
        break;
      case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Forget the key before the rule runs: the rule may show a modal message.
        if (!key->isAutoRepeat() && pressed_.remove(key->key())) released_();
        break;
      }
      case QEvent::FocusOut:
        pressed_.clear();  // whatever is released later was pressed elsewhere
        break;
      default:
        break;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> released_;
  QSet<int> pressed_;  // keys pressed in the box and not yet released
};

}  // namespace

void OnKeyTypedIn(QWidget* box, std::function<void()> released) {
  new KeyReleaseWatcher(box, std::move(released));
}

}  // namespace designer
