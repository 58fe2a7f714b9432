#include "window_common/cp1251_text.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "common/codepage.h"

namespace window_common {

namespace {

constexpr int kTipShownFor = 5000;  // milliseconds

class StatusTipWatcher : public QObject {
 public:
  StatusTipWatcher(QWidget* window, std::function<void(const QString&)> show)
      : QObject(window), show_(std::move(show)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::StatusTip) return QObject::eventFilter(watched, event);
    show_(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }

 private:
  std::function<void(const QString&)> show_;
};

}  // namespace

QString FromCp1251(std::string_view bytes) {
  return QString::fromStdString(codepage::Cp1251ToUtf8(bytes));
}

std::string ToCp1251(const QString& text) {
  std::string bytes;
  for (const char32_t character : text.toUcs4()) {
    const auto converted = codepage::Utf8ToCp1251(QString::fromUcs4(&character, 1).toStdString());
    bytes += converted ? *converted : std::string("?");
  }
  return bytes;
}

QString RefusedCharacterMessage(char32_t character) {
  return QStringLiteral("Символ «%1» не вводится: его нет в кодировке Windows-1251")
      .arg(QString::fromUcs4(&character, 1));
}

Cp1251Validator::Cp1251Validator(QObject* box) : QValidator(box) {}

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
  codepage::Unmappable lacking;
  const auto bytes = codepage::Utf8ToCp1251(input.toStdString(), &lacking);
  if (!bytes) {
    QStatusTipEvent tip(RefusedCharacterMessage(lacking.code_point));
    if (parent() != nullptr) QCoreApplication::sendEvent(parent(), &tip);
    return Invalid;
  }
  std::string held = *bytes;
  const State state = TakeBytes(held);
  // One byte per character, so the cursor stays where it was.
  if (state != Invalid && held != *bytes) input = FromCp1251(held);
  return state;
}

QValidator::State Cp1251Validator::TakeBytes(std::string&) const { return Acceptable; }

void ShowStatusTips(QWidget* window, QStatusBar* bar) {
  window->installEventFilter(new StatusTipWatcher(
      window, [bar](const QString& tip) { bar->showMessage(tip, kTipShownFor); }));
}

void ShowStatusTips(QWidget* window, QLabel* label) {
  window->installEventFilter(new StatusTipWatcher(window, [label](const QString& tip) {
    label->setText(tip);
    // A later tip stays its own time: only the text shown here is taken away.
    QTimer::singleShot(kTipShownFor, label, [label, tip] {
      if (label->text() == tip) label->clear();
    });
  }));
}

}  // namespace window_common
